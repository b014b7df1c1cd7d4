// What the variable store tells the display of its variables. The display list overrides these;
// the plain store shows nothing.
#pragma once

#include <cstdint>

namespace zelvora {

class tVariableDisplay {
public:
    virtual ~tVariableDisplay() = default;

    // Variable index was just added (count is its index): make its scalar row or matrix window.
    virtual void ShowNew(std::int32_t index) = 0;
    // Variable index changed its value: bring its display up to date.
    virtual void Refresh(std::int32_t index) = 0;
    // Variable index is about to be deleted: remove its display. Afterwards the variables above it
    // move down by one index, and their display items with them.
    virtual void RemoveShown(std::int32_t index) = 0;
    // The variable array now has slots entries (slot 0 included); the display items follow it.
    virtual void ResizeShown(std::int32_t slots) = 0;
};

} // namespace zelvora
