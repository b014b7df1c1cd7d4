// The command table: registration and lookup by unique prefix.
#include "interpreter/statement_table.h"

namespace zelvora {

namespace {
constexpr int MaxCountedMatches = 30;
}

tStmtList::tStmtList()
{
    Commands.reserve(25);
}

void tStmtList::RegisterCommand(std::string_view name, std::string_view syntax,
    std::string_view description, tCommandHandler handler)
{
    Commands.push_back({ NameFold(name.substr(0, MaxCommandNameLength)), std::move(handler),
        std::string(syntax), std::string(description) });
    HighIndex = static_cast<std::int32_t>(Commands.size()) - 1;
}

void tStmtList::ClearCommands()
{
    Commands.clear();
    HighIndex = -1;
    Handler = nullptr;
    MatchedIndex = 0;
}

bool tStmtList::SetHandler(std::string_view name, tCommandHandler handler)
{
    const std::string key = NameFold(name);
    for (tStmt& command : Commands) {
        if (command.Name == key) {
            command.Handler = std::move(handler);
            return true;
        }
    }
    return false;
}

tFindResult tStmtList::FindCommand(std::string_view word)
{
    const std::string key = NameFold(word);
    int matches = 0;
    std::int32_t matched = 0;
    for (std::int32_t slot = 1; slot <= HighIndex && matches < MaxCountedMatches; ++slot) {
        if (Commands[static_cast<std::size_t>(slot)].Name.starts_with(key)) {
            ++matches;
            matched = slot;
        }
    }
    if (matches != 1)
        return matches == 0 ? tFindResult::NotFound : tFindResult::Ambiguous;
    MatchedIndex = matched;
    Handler = Commands[static_cast<std::size_t>(matched)].Handler;
    return tFindResult::Found;
}

void tStmtList::Fail(std::int32_t code, std::string_view message)
{
    Reported = tFailure { code, std::string(message.substr(0, MaxMessageLength)) };
}

void tStmtList::EndStatement(const std::optional<tFailure>& failure)
{
    Code = failure ? failure->Code : 0;
    if (failure)
        Message = failure->Message.substr(0, MaxMessageLength);
    else
        Message.clear(); // keeps its buffer: a run of successes allocates nothing here
}

} // namespace zelvora
