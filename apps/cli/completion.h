// Completion at the prompt: function names, command words and variable names.
#pragma once

#include <string>
#include <vector>

namespace zelvora {
class tSession;
}

namespace zelvora::cli {

// Every word that may complete prefix (compared after upper-case folding), sorted, each once:
// functions and constants as the catalogue spells them, command words, variable names.
std::vector<std::string> CompletionCandidates(tSession& session, const std::string& prefix);

// Installs the completion into the line editor for this session.
void InstallCompletion(tSession& session);

} // namespace zelvora::cli
