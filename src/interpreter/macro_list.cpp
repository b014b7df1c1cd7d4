// The macro store.
#include "interpreter/macro_list.h"

namespace zelvora {

namespace {
constexpr std::size_t GrowthStep = 16;
}

TMacrolist::TMacrolist()
    : m_names(1)
    , m_lists(1)
{
}

std::int32_t TMacrolist::Find(std::string_view name) const
{
    const std::string key = NameFold(name);
    for (std::int32_t i = 1; i <= m_count; ++i) {
        if (m_names[static_cast<std::size_t>(i)] == key)
            return i;
    }
    return 0;
}

void TMacrolist::BeginDefinition(std::string_view name)
{
    if (m_state != Idle)
        return;
    std::int32_t number = Find(name);
    if (number == 0) {
        number = ++m_count;
        if (static_cast<std::size_t>(m_count) >= m_names.size()) {
            m_names.resize(m_names.size() + GrowthStep);
            m_lists.resize(m_lists.size() + GrowthStep);
        }
    }
    m_current = number;
    m_names[static_cast<std::size_t>(number)] = NameFold(name);
    m_lists[static_cast<std::size_t>(number)].Initialise();
    m_state = Begun;
}

void TMacrolist::AddStatement(const tCommandslistEntry& entry)
{
    if (m_state == Idle)
        return;
    m_lists[static_cast<std::size_t>(m_current)].AppendEntry(entry);
    m_state = Recording;
}

void TMacrolist::EndDefinition()
{
    m_state = Idle;
}

} // namespace zelvora
