// The commands SETOPTIONS and SHOWOPTIONS.
#pragma once

#include "interpreter/options.h"
#include "interpreter/statement_table.h"
#include "ports/journal_port.h"

namespace zelvora {

// SETOPTIONS name = value [name = value ...]: the arguments are taken in groups of three from the
// start; a group whose second token is not '=' is skipped, every other group sets one option. The
// result is that of the last option set (true when none was); an unknown name fails with code 0
// and an empty message.
bool SetOptionsCommand(tOptions& options, tStmtList& statements, tAnsiTokens& arguments);

// SHOWOPTIONS: the heading "//   Verfügbare Optionen:", one line "//     " + show text per option
// and an empty trailer line "//     ", written to the journal whether it is on or not.
bool ShowOptionsCommand(
    tOptions& options, tJournalPort* journal, tStmtList& statements, tAnsiTokens& arguments);

// The lines SHOWOPTIONS writes.
std::vector<std::string> ShowOptionsLines(const tOptions& options);

// Gives the command table's slots SETOPTIONS and SHOWOPTIONS these handlers; the journal is the
// interpreter's at the time of the call.
void RegisterOptionCommands(tInterpreter& interpreter, tOptions& options);

} // namespace zelvora
