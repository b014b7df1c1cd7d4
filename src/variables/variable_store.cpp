// The variable store: lookup by folded name, assignment, adding, deleting and renaming.
#include "variables/variable_store.h"

#include "numerics/run_time_error.h"
#include "text/name_fold.h"

#include <functional>
#include <utility>

namespace zelvora {
namespace {
bool IsStorableShape(std::uint8_t shape)
{
    return shape == shScalar || shape == shMatrix || shape == shRange || shape == shVector;
}
} // namespace

tVarClass::tVarClass()
    : m_variables(initialSlots)
{
}

void tVarClass::ClearStore()
{
    if (m_observer)
        m_observer->Clearing();
    m_variables = tVariableArray(initialSlots);
    m_count = 0;
    NoteLayoutChange();
}

std::int32_t tVarClass::IndexOf(std::string_view name) const
{
    for (std::int32_t i = 1; i <= m_count; ++i) {
        if (FoldedEqual(m_variables[static_cast<std::size_t>(i)].name, name))
            return i;
    }
    return 0;
}

const tVariable* tVarClass::Find(std::string_view name) const
{
    const std::int32_t index = IndexOf(name);
    return index == 0 ? nullptr : &m_variables[static_cast<std::size_t>(index)];
}

void tVarClass::Remember(std::string_view name, tStoreSlotMemo& memo) const
{
    memo = tStoreSlotMemo { this, m_layout, IndexOf(name) };
}

bool tVarClass::Contains(std::string_view name) const
{
    return IndexOf(name) != 0;
}

bool tVarClass::Store(const tVariable& record)
{
    tVariable copy = record;
    return Store(std::move(copy));
}

bool tVarClass::Store(tVariable&& record)
{
    // Cut before the lookup, so that a long name finds the variable it was stored as instead of
    // adding a second one under the same stored name.
    if (record.name.size() > MaxVariableNameLength)
        record.name.resize(MaxVariableNameLength);
    return StoreAt(IndexOf(record.name), std::move(record));
}

bool tVarClass::StoreFound(const tVariable* found, tVariable&& record)
{
    const tVariable* first = m_variables.data();
    // A pointer outside the stored variables (into another array, say) is not trusted; std::less
    // orders any two pointers.
    const std::less<const tVariable*> before;
    if (before(found, first + 1) || !before(found, first + m_count + 1))
        return Store(std::move(record));
    return StoreAt(static_cast<std::int32_t>(found - first), std::move(record));
}

bool tVarClass::StoreAt(std::int32_t stored, tVariable&& record)
{
    bool result = true;
    // Where the record ends up: its old slot, the new highest one, or none (nothing added).
    if (stored != 0 && m_variables[static_cast<std::size_t>(stored)].shape == record.shape) {
        m_variables[static_cast<std::size_t>(stored)] = std::move(record);
    } else {
        if (stored != 0)
            Delete(stored);
        const std::int32_t countBefore = m_count;
        result = Add(std::move(record));
        stored = m_count > countBefore ? m_count : 0;
    }
    if (stored != 0 && m_observer)
        m_observer->Refresh(stored);
    return result;
}

bool tVarClass::Add(tVariable record)
{
    if (record.shape == shEmpty)
        return true;
    if (!IsStorableShape(record.shape))
        return false;
    record.name = CutVariableName(record.name);
    NoteLayoutChange();
    ++m_count;
    if (SlotCount() - 1 < m_count + 3) {
        m_variables.resize(m_variables.size() + slotStep);
        if (m_observer)
            m_observer->ResizeShown(SlotCount());
    }
    m_variables[static_cast<std::size_t>(m_count)] = std::move(record);
    if (m_observer)
        m_observer->ShowNew(m_count);
    return true;
}

bool tVarClass::Delete(std::int32_t index)
{
    if (index < 1 || index > m_count)
        return false;
    NoteLayoutChange();
    if (m_observer)
        m_observer->RemoveShown(index);
    for (std::int32_t i = index; i < m_count; ++i)
        m_variables[static_cast<std::size_t>(i)]
            = std::move(m_variables[static_cast<std::size_t>(i) + 1]);
    m_variables[static_cast<std::size_t>(m_count)] = tVariable();
    --m_count;
    if (m_count + 19 < SlotCount() - 1) {
        m_variables.resize(m_variables.size() - slotStep);
        if (m_observer)
            m_observer->ResizeShown(SlotCount());
    }
    return true;
}

bool tVarClass::Delete(std::string_view name)
{
    return Delete(IndexOf(name));
}

bool tVarClass::DeleteAll()
{
    while (m_count > 0)
        Delete(m_count);
    return true;
}

bool tVarClass::Rename(std::string_view oldName, std::string_view newName)
{
    const std::int32_t index = IndexOf(oldName);
    if (index == 0)
        return false;
    m_variables[static_cast<std::size_t>(index)].name = CutVariableName(newName);
    NoteLayoutChange();
    if (m_observer)
        m_observer->Renamed(index);
    return true;
}

std::vector<std::string> tVarClass::NameList() const
{
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(m_count));
    for (std::int32_t i = 1; i <= m_count; ++i)
        names.push_back(m_variables[static_cast<std::size_t>(i)].name);
    return names;
}

const tVariable& tVarClass::Variable(std::int32_t index) const
{
    if (index < 0 || index >= SlotCount())
        throw tRangeError();
    return m_variables[static_cast<std::size_t>(index)];
}

void tVarClass::SetCell(std::int32_t index, std::int32_t row, std::int32_t column, long double x)
{
    if (index >= 1 && index <= m_count)
        VarSetCell(m_variables[static_cast<std::size_t>(index)], row, column, x);
}

void tVarClass::SetStrCell(std::int32_t index, std::int32_t row, std::int32_t column, std::string s)
{
    if (index >= 1 && index <= m_count)
        VarSetStrCell(m_variables[static_cast<std::size_t>(index)], row, column, std::move(s));
}

} // namespace zelvora
