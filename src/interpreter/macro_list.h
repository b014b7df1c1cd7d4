// The macro store: named lists of recorded statements for MACRODEF and MACROEXEC.
#pragma once

#include "interpreter/commands_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvora {

class TMacrolist {
public:
    enum tState : std::uint8_t { Idle = 0, Begun = 1, Recording = 2 };

    TMacrolist();

    // Number (1..Count) of the macro whose upper-cased name matches; 0 when there is none.
    std::int32_t Find(std::string_view name) const;

    // Only when idle: empties an existing macro of that name or takes a new number; state Begun.
    void BeginDefinition(std::string_view name);
    // Only while a definition is open: appends a copy of the entry; state Recording.
    void AddStatement(const tCommandslistEntry& entry);
    void EndDefinition();

    tState State() const { return m_state; }
    std::int32_t Count() const { return m_count; }
    std::int32_t Current() const { return m_current; }
    const std::string& Name(std::int32_t number) const
    {
        return m_names.at(static_cast<std::size_t>(number));
    }
    const tCommandsList& List(std::int32_t number) const
    {
        return m_lists.at(static_cast<std::size_t>(number));
    }

private:
    tState m_state = Idle;
    std::int32_t m_count = 0;
    std::int32_t m_current = 0;
    std::vector<std::string> m_names; // slot 0 stays empty
    std::vector<tCommandsList> m_lists;
};

} // namespace zelvora
