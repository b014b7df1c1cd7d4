// The variable store: lookup by folded name, assignment, adding, deleting and renaming.
#include "variables/variable_store.h"

#include "numerics/run_time_error.h"
#include "text/name_fold.h"

#include <utility>

namespace zelvora {
namespace {
bool IsStorableShape(std::uint8_t shape)
{
    return shape == shScalar || shape == shMatrix || shape == shRange || shape == shVector;
}

const tVariable& EmptyVariable()
{
    static const tVariable empty;
    return empty;
}
} // namespace

tVarClass::tVarClass()
    : m_variables(initialSlots)
{
}

void tVarClass::ClearStore()
{
    m_variables = tVariableArray(initialSlots);
    m_count = 0;
    m_currentIndex = 0;
}

std::int32_t tVarClass::IndexOf(std::string_view name) const
{
    for (std::int32_t i = 1; i <= m_count; ++i) {
        if (FoldedEqual(m_variables[static_cast<std::size_t>(i)].name, name))
            return i;
    }
    return 0;
}

bool tVarClass::Find(std::string_view name)
{
    m_currentIndex = IndexOf(name);
    return m_currentIndex != 0;
}

bool tVarClass::Contains(std::string_view name) const
{
    return IndexOf(name) != 0;
}

const tVariable& tVarClass::CurrentVariable() const
{
    if (m_currentIndex < 1 || m_currentIndex > m_count)
        return EmptyVariable();
    return m_variables[static_cast<std::size_t>(m_currentIndex)];
}

bool tVarClass::Store(tVariable record)
{
    // Cut before the lookup, so that a long name finds the variable it was stored as instead of
    // adding a second one under the same stored name.
    if (record.name.size() > MaxVariableNameLength)
        record.name.resize(MaxVariableNameLength);
    bool result = true;
    if (Find(record.name)) {
        tVariable& stored = m_variables[static_cast<std::size_t>(m_currentIndex)];
        if (stored.shape == record.shape) {
            stored = std::move(record);
        } else {
            Delete(m_currentIndex);
            result = Add(std::move(record));
        }
    } else {
        result = Add(std::move(record));
    }
    if (m_currentIndex >= 1 && m_currentIndex <= m_count)
        Refresh(m_currentIndex);
    return result;
}

bool tVarClass::Add(tVariable record)
{
    if (record.shape == shEmpty)
        return true;
    if (!IsStorableShape(record.shape))
        return false;
    record.name = CutVariableName(record.name);
    ++m_count;
    if (SlotCount() - 1 < m_count + 3) {
        m_variables.resize(m_variables.size() + slotStep);
        ResizeShown(SlotCount());
    }
    m_variables[static_cast<std::size_t>(m_count)] = std::move(record);
    m_currentIndex = m_count;
    ShowNew(m_count);
    return true;
}

bool tVarClass::Delete(std::int32_t index)
{
    if (index < 1 || index > m_count)
        return false;
    RemoveShown(index);
    for (std::int32_t i = index; i < m_count; ++i)
        m_variables[static_cast<std::size_t>(i)]
            = std::move(m_variables[static_cast<std::size_t>(i) + 1]);
    m_variables[static_cast<std::size_t>(m_count)] = tVariable();
    --m_count;
    if (m_currentIndex == index)
        m_currentIndex = 0;
    else if (m_currentIndex > index)
        --m_currentIndex;
    if (m_count + 19 < SlotCount() - 1) {
        m_variables.resize(m_variables.size() - slotStep);
        ResizeShown(SlotCount());
    }
    return true;
}

bool tVarClass::Delete(std::string_view name)
{
    return Find(name) && Delete(m_currentIndex);
}

bool tVarClass::DeleteAll()
{
    while (m_count > 0)
        Delete(m_count);
    return true;
}

bool tVarClass::Rename(std::string_view oldName, std::string_view newName)
{
    if (!Find(oldName))
        return false;
    m_variables[static_cast<std::size_t>(m_currentIndex)].name = CutVariableName(newName);
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

tVariable& tVarClass::MutableVariable(std::int32_t index)
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
