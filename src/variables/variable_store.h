// The variable store: the named variables of the running program, found by folded name, and the
// binary operator handlers that the formula machine calls.
#pragma once

#include "variables/store_slot_memo.h"
#include "variables/variable.h"
#include "variables/variable_display.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class tVarClass {
public:
    // 33 slots (slot 0 and 32 free ones), no variables, no observer.
    tVarClass();
    tVarClass(const tVarClass&) = delete;
    tVarClass& operator=(const tVarClass&) = delete;

    // The one observer told of every change (null: none). It must outlive the store or detach.
    void SetObserver(tStoreObserver* observer) { m_observer = observer; }

    // Back to the state of a new store: no variables, 33 slots. The observer hears Clearing
    // before, and nothing else.
    void ClearStore();

    // ---- Lookup. Names are compared after NameFold; stored names are at most 32 bytes, so a
    // longer name finds nothing.

    // The first variable of that name (lowest index) as stored now, or null. The pointer stays
    // valid until the next change of the store.
    const tVariable* Find(std::string_view name) const;
    // Index (1..Count) of the first variable of that name; 0 when there is none.
    std::int32_t IndexOf(std::string_view name) const;
    // Whether a variable of that name exists.
    bool Contains(std::string_view name) const;
    // The same as Find, answered from the memo while this store's layout is the one the memo
    // was written under, and written into the memo otherwise.
    const tVariable* Find(std::string_view name, tStoreSlotMemo& memo) const
    {
        if (memo.Store != this || memo.Layout != m_layout)
            Remember(name, memo);
        return memo.Index == 0 ? nullptr : &m_variables[static_cast<std::size_t>(memo.Index)];
    }

    // ---- Changes. Every one is reported to the observer.

    // Assignment: the name (cut to 32 bytes) is looked up; a variable of the same shape is
    // overwritten in place, one of another shape is deleted and the record added anew (so an empty
    // record removes the variable); an unknown name is added unless the record is empty or a
    // handle. Then the stored variable is refreshed. Returns the result of the add, else true.
    // The record is moved into the store, not copied.
    bool Store(tVariable&& record);
    bool Store(const tVariable& record);
    // The same for a record whose name Find gave found for, with no change of the store since:
    // the name is not looked up again (the caller keeps to that; a pointer outside the stored
    // variables is not trusted, the name is then looked up as by Store).
    bool StoreFound(const tVariable* found, tVariable&& record);
    // Appends a variable (shapes 1, 2, 4, 5) as the highest index. Shape 0 adds nothing and gives
    // true; shapes 3 and 6 or more add nothing and give false. The array grows by 16 slots when
    // its highest index falls below count + 3.
    bool Add(tVariable record);
    // Removes variable index (1..count; else false); the ones above move down. The array shrinks
    // by 16 slots when count + 19 falls below its highest index.
    bool Delete(std::int32_t index);
    bool Delete(std::string_view name);
    // Removes every variable, from the highest index down.
    bool DeleteAll();
    // The variable found under oldName gets newName (cut to 32 bytes); no check that it is free.
    // The observer hears Renamed.
    bool Rename(std::string_view oldName, std::string_view newName);

    // Names of variables 1..count in index order.
    std::vector<std::string> NameList() const;
    std::int32_t Count() const { return m_count; }
    // Length of the variable array, slot 0 and spare slots included.
    std::int32_t SlotCount() const { return static_cast<std::int32_t>(m_variables.size()); }
    // Slot index (0..SlotCount-1); slot 0 and the slots above count are empty records.
    const tVariable& Variable(std::int32_t index) const;

    // In-place cell setters of the grid editor (VarSetCell / VarSetStrCell on variable index).
    void SetCell(std::int32_t index, std::int32_t row, std::int32_t column, long double x);
    void SetStrCell(std::int32_t index, std::int32_t row, std::int32_t column, std::string s);

private:
    static constexpr std::int32_t initialSlots = 33;
    static constexpr std::int32_t slotStep = 16;

    // Store's work once the record's slot is known (0: no variable of that name).
    bool StoreAt(std::int32_t stored, tVariable&& record);

    // Looks the name up and writes where it stands now into the memo.
    void Remember(std::string_view name, tStoreSlotMemo& memo) const;
    // Counts every change of which name stands at which index, or of where the slots lie.
    void NoteLayoutChange() { ++m_layout; }

    tVariableArray m_variables;
    std::int32_t m_count = 0;
    std::uint64_t m_layout = 1;
    tStoreObserver* m_observer = nullptr;
};

} // namespace zelvora
