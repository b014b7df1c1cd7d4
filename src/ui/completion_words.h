// The words a name may be completed to: functions and constants of the catalogue, command words
// and the stored variables. The console's line editor and the notebook kernel offer them.
#pragma once

#include "interpreter/statement_table.h"

#include <string>
#include <vector>

namespace zelvora {

// Every word that may complete prefix (compared after upper-case folding), sorted, each once:
// functions and constants as the catalogue spells them, command words, variable names.
std::vector<std::string> CompletionWords(const std::vector<tStmt>& commands,
    const std::vector<std::string>& variableNames, const std::string& prefix);

} // namespace zelvora
