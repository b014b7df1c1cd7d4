// Completion at the prompt through libedit's readline interface.
#include "completion.h"

#include "language/catalogue_table.h"
#include "text/text_encoding.h"
#include "ui/session.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include <editline/readline.h>

namespace zelvora::cli {
namespace {

tSession* completionSession = nullptr;
std::vector<std::string> pending;

void AddIfMatching(std::vector<std::string>& words, const std::string& word, const std::string& key)
{
    if (!word.empty() && NameFold(word).starts_with(key))
        words.push_back(word);
}

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
    const std::string key = NameFold(prefix);
    std::vector<std::string> words;
    for (const tCatalogueRow& row : CatalogueRows()) {
        if (row.Type != tCatalogueRowType::Entry
            || OpcodeNumber(row.Opcode) < OpcodeNumber(tOpcode::ConstE))
            continue;
        const bool word = row.Name
            && (std::isalpha(static_cast<unsigned char>(row.Name[0]))
                || static_cast<unsigned char>(row.Name[0]) >= 0xC0);
        if (!word)
            continue;
        AddIfMatching(words, row.Name, key);
        if (row.Alias && *row.Alias)
            AddIfMatching(words, row.Alias, key);
    }
    for (const tStmt& command : session.CommandRows()) {
        if (command.Name != "---" && !command.Name.starts_with('['))
            AddIfMatching(words, command.Name, key);
    }
    for (const std::string& name : session.StoreView().NameList())
        AddIfMatching(words, name, key);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
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
