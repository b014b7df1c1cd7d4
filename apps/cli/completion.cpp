// Completion at the prompt through libedit's readline interface.
#include "completion.h"

#include "ui/front_end_text.h"
#include "ui/session.h"

#include <cstdlib>
#include <cstring>

#include <editline/readline.h>

namespace zelvora::cli {
namespace {

tSession* completionSession = nullptr;
std::vector<std::string> pending;

char* NextMatch(const char* text, int state)
{
    if (state == 0 && completionSession)
        pending = CompletionCandidates(*completionSession, Utf8ToCp1252(text));
    if (pending.empty())
        return nullptr;
    const std::string next = Cp1252ToUtf8(pending.front());
    pending.erase(pending.begin());
    return strdup(next.c_str());
}

char** Complete(const char* text, int, int)
{
    rl_attempted_completion_over = 1; // no file names
    return rl_completion_matches(text, NextMatch);
}

} // namespace

std::vector<std::string> CompletionCandidates(tSession& session, const std::string& prefix)
{
    return session.CompletionWords(prefix);
}

void InstallCompletion(tSession& session)
{
    completionSession = &session;
    rl_attempted_completion_function = Complete;
    static char breaks[] = " \t\n\"\\'`@$><=;|&{(,+-*/^)}[]";
    rl_completer_word_break_characters = breaks;
    rl_bind_key('\t', rl_complete);
}

} // namespace zelvora::cli
