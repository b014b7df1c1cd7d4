// Help inside the program, asked for with a statement that begins with '?': the groups of the
// help tree, the help of one function, constant, operator or command, the functions of a group,
// and a search in names and help texts ("?? text").
#pragma once

#include "interpreter/statement_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

class tInterpreter;

// True when the first non-blank character of the statement text is '?'.
bool IsHelpRequest(std::string_view text);

// The answer to a help request (Windows-1252, each line ending in '\n'). A request that names
// nothing known gives nothing and sets message.
std::optional<std::string> HelpText(
    std::string_view request, const tStmtList& commands, std::string& message);

// Runs a help request as a statement: the answer goes to the command window's output; a request
// that names nothing known fails with code 1 and the message.
bool RunHelpRequest(tInterpreter& interpreter, std::string_view text);

} // namespace zelvora
