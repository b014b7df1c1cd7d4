// What the variable store tells whoever shows its variables: the display list attaches to the
// store as its observer; a store without one shows nothing.
#pragma once

#include <cstdint>

namespace zelvora {

class tStoreObserver {
public:
    virtual ~tStoreObserver() = default;

    // Variable index was just added (count is its index): make its scalar row or matrix window.
    virtual void ShowNew(std::int32_t index) = 0;
    // Variable index was stored (a new value): bring its display up to date.
    virtual void Refresh(std::int32_t index) = 0;
    // Variable index is about to be deleted: remove its display. Afterwards the variables above it
    // move down by one index, and their display items with them.
    virtual void RemoveShown(std::int32_t index) = 0;
    // The variable array now has slots entries (slot 0 included); the display items follow it.
    virtual void ResizeShown(std::int32_t slots) = 0;
    // Variable index got a new name.
    virtual void Renamed(std::int32_t index) = 0;
    // Every variable is about to go at once (the store is cleared without deleting one by one).
    virtual void Clearing() = 0;
};

} // namespace zelvora
