// The words a name may be completed to.
#include "ui/completion_words.h"

#include "lexicon/catalogue_table.h"
#include "text/name_fold.h"

#include <algorithm>
#include <cctype>

namespace zelvora {
namespace {

void AddIfMatching(std::vector<std::string>& words, const std::string& word, const std::string& key)
{
    if (!word.empty() && NameFold(word).starts_with(key))
        words.push_back(word);
}

} // namespace

std::vector<std::string> CompletionWords(const std::vector<tStmt>& commands,
    const std::vector<std::string>& variableNames, const std::string& prefix)
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
    for (const tStmt& command : commands) {
        if (command.Name != "---" && !command.Name.starts_with('['))
            AddIfMatching(words, command.Name, key);
    }
    for (const std::string& name : variableNames)
        AddIfMatching(words, name, key);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

} // namespace zelvora
