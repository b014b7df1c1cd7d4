// Help inside the program: the help tree and the catalogue's signatures and help texts as text.
#include "interpreter/help_requests.h"

#include "interpreter/commands_list.h"
#include "interpreter/interpreter.h"
#include "lexicon/catalogue_search_words.h"
#include "lexicon/catalogue_table.h"
#include "text/name_fold.h"

#include <map>
#include <vector>

namespace zelvora {
namespace {

constexpr std::size_t SyntaxColumn = 30;

bool IsEntry(const tCatalogueRow& row)
{
    return row.Type == tCatalogueRowType::Entry && row.InTree;
}

// How a catalogue entry is written in a formula: a function with its parameters, a constant
// with '#'.
std::string EntrySyntax(const tCatalogueRow& row)
{
    switch (row.Kind) {
    case tTocKind::Function:
        return std::string(row.Name) + "(" + row.Signature + ")";
    case tTocKind::Constant:
        return "#" + std::string(row.Name);
    default:
        return row.Name;
    }
}

// "  syntax   help", the help starting in a column of its own when the syntax is short.
std::string ListLine(std::string_view syntax, std::string_view help)
{
    std::string line = "  " + std::string(syntax);
    line += line.size() < SyntaxColumn ? std::string(SyntaxColumn - line.size(), ' ') : "  ";
    return line + TrimText(help) + "\n";
}

// The name in an entry node of the help tree: its syntax without '#' and parameters.
std::string NodeEntryName(const tTokenNode& node)
{
    std::string syntax = SplitNodeFields(node.Text).front();
    if (!syntax.empty() && syntax.front() == '#')
        syntax.erase(0, 1);
    const std::size_t open = syntax.find('(');
    return open == std::string::npos || open == 0 ? syntax : syntax.substr(0, open);
}

std::string ReadablePath(std::string_view groupPath)
{
    std::string path;
    for (const char c : groupPath)
        path += c == '\\' ? std::string(" / ") : std::string(1, c);
    if (path.size() >= 3)
        path.resize(path.size() - 3);
    return path;
}

// The group of each entry, by folded name (the first group where a name appears twice).
std::map<std::string, std::string> EntryGroups()
{
    std::map<std::string, std::string> groups;
    ForEachNode(Catalogue().Tree().Root(), [&groups](const tNodeVisit& visit) {
        if (visit.Node.Kind == EntryNodeKind)
            groups.emplace(NameFold(NodeEntryName(visit.Node)), ReadablePath(visit.GroupPath));
    });
    return groups;
}

std::string GroupsText()
{
    std::string text = "Hilfe: ?Name zeigt eine Funktion oder einen Befehl, ?Gruppe die Funktionen "
                       "einer Gruppe,\n?? Text sucht in Namen und Hilfetexten.\n"
                       "Gruppen:\n";
    ForEachNode(Catalogue().Tree().Root(), [&text](const tNodeVisit& visit) {
        if (!visit.IsGroup)
            return;
        std::int32_t entries = 0;
        for (const tTokenNode& child : visit.Node.Children->Nodes())
            entries += child.Kind == EntryNodeKind ? 1 : 0;
        text += std::string(2 * static_cast<std::size_t>(visit.Depth + 1), ' ')
            + SplitNodeFields(visit.Node.Text).front();
        if (entries > 0)
            text += " (" + std::to_string(entries) + ")";
        text += "\n";
    });
    return text;
}

// The lines of a group whose heading is the key: its entries and help lines.
std::optional<std::string> GroupText(const std::string& key)
{
    std::optional<std::string> text;
    ForEachNode(Catalogue().Tree().Root(), [&](const tNodeVisit& visit) {
        if (text || !visit.IsGroup || NameFold(SplitNodeFields(visit.Node.Text).front()) != key)
            return;
        text = ReadablePath(std::string(visit.GroupPath) + visit.Node.Text + "\\") + ":\n";
        for (const tTokenNode& child : visit.Node.Children->Nodes()) {
            if (child.Text.empty())
                continue;
            const std::vector<std::string> fields = SplitNodeFields(child.Text);
            *text += child.Children ? "  " + fields[0] + " ...\n"
                                    : ListLine(fields[0], fields.size() > 1 ? fields[1] : "");
        }
    });
    return text;
}

std::string EntryText(const tCatalogueRow& row, const std::map<std::string, std::string>& groups)
{
    std::string text = EntrySyntax(row) + "\n";
    if (row.Alias && *row.Alias && NameFold(row.Alias) != NameFold(row.Name))
        text += "  Alias: " + std::string(row.Alias) + "\n";
    if (const auto group = groups.find(NameFold(row.Name)); group != groups.end())
        text += "  Gruppe: " + group->second + "\n";
    text += "  " + TrimText(row.Help ? row.Help : "") + "\n";
    return text;
}

bool IsListedCommand(const tStmt& command)
{
    return !command.Name.empty() && command.Name != "---" && command.Name.front() != '[';
}

// The command of that name, or the one command that the key begins.
const tStmt* FindCommand(const tStmtList& commands, const std::string& key)
{
    const tStmt* prefixed = nullptr;
    std::int32_t matches = 0;
    for (const tStmt& command : commands.Commands) {
        if (!IsListedCommand(command))
            continue;
        if (command.Name == key)
            return &command;
        if (command.Name.starts_with(key)) {
            prefixed = &command;
            ++matches;
        }
    }
    return matches == 1 ? prefixed : nullptr;
}

// The command's form and description, and the help tree's lines about it.
std::string CommandText(const tStmt& command)
{
    std::string text = command.Name + " " + TrimText(command.Syntax) + "\n  "
        + TrimText(command.Description) + "\n";
    ForEachNode(Catalogue().Tree().Root(), [&](const tNodeVisit& visit) {
        if (visit.Node.Kind != HeadingNodeKind || visit.IsGroup)
            return;
        const std::vector<std::string> fields = SplitNodeFields(visit.Node.Text);
        const std::string syntax = TrimText(fields[0]);
        const std::string word = NameFold(syntax.substr(0, syntax.find(' ')));
        if (word.size() >= 3 && command.Name.starts_with(word))
            text += ListLine(syntax, fields.size() > 1 ? fields[1] : "");
    });
    return text;
}

std::string SearchText(const std::string& key, const tStmtList& commands)
{
    std::string text;
    for (const tCatalogueRow& row : CatalogueRows()) {
        if (!IsEntry(row))
            continue;
        const bool found = NameFold(row.Name).find(key) != std::string::npos
            || NameFold(row.Alias ? row.Alias : "").find(key) != std::string::npos
            || NameFold(row.Help ? row.Help : "").find(key) != std::string::npos
            || NameFold(SearchWordsOf(row.Name)).find(key) != std::string::npos;
        if (found)
            text += ListLine(EntrySyntax(row), row.Help ? row.Help : "");
    }
    for (const tStmt& command : commands.Commands) {
        if (IsListedCommand(command)
            && (command.Name.find(key) != std::string::npos
                || NameFold(command.Description).find(key) != std::string::npos))
            text += ListLine(command.Name + " " + TrimText(command.Syntax), command.Description);
    }
    return text;
}

} // namespace

bool IsHelpRequest(std::string_view text)
{
    // Every statement passes here: look at the first non-blank character without copying.
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > ' ')
            return c == '?';
    }
    return false;
}

std::optional<std::string> HelpText(
    std::string_view request, const tStmtList& commands, std::string& message)
{
    Catalogue().Build();
    std::string query = TrimText(request);
    const bool search = query.starts_with("??");
    query = TrimText(query.substr(search ? 2 : 1));
    const std::string key = NameFold(query);
    if (search) {
        if (key.empty()) {
            message = "?? braucht einen Suchtext, z.B. ?? Mittelwert";
            return std::nullopt;
        }
        const std::string found = SearchText(key, commands);
        return found.empty() ? "Nichts enth\xE4lt \"" + query + "\".\n" : found;
    }
    if (key.empty())
        return GroupsText();

    std::string text;
    const std::map<std::string, std::string> groups = EntryGroups();
    for (const tCatalogueRow& row : CatalogueRows()) {
        if (IsEntry(row)
            && (NameFold(row.Name) == key || (row.Alias && NameFold(row.Alias) == key)))
            text += (text.empty() ? "" : "\n") + EntryText(row, groups);
    }
    if (const tStmt* command = FindCommand(commands, key))
        text += (text.empty() ? "" : "\n") + CommandText(*command);
    if (text.empty()) {
        if (auto group = GroupText(key))
            return group;
        message = "Keine Hilfe zu \"" + query + "\" gefunden; ?? " + query
            + " sucht in Namen und Hilfetexten";
        return std::nullopt;
    }
    return text;
}

bool RunHelpRequest(tInterpreter& interpreter, std::string_view text)
{
    std::string message;
    const std::optional<std::string> help = HelpText(text, interpreter.Statements(), message);
    if (!help) {
        interpreter.Statements().Fail(1, message);
        return false;
    }
    interpreter.ShowOutput(*help);
    return true;
}

} // namespace zelvora
