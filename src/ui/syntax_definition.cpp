// The KSyntaxHighlighting definition of the statement language, from the catalogue's table and the
// command table.
#include "ui/syntax_definition.h"

#include "interpreter/commands.h"
#include "interpreter/interpreter.h"
#include "interpreter/statement_table.h"
#include "lexicon/catalogue.h"
#include "lexicon/catalogue_table.h"
#include "text/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace zelvora {
namespace {

// A name that is a word: it begins with an ASCII letter or a Latin-1 letter ("über").
bool IsWordName(const char* name)
{
    if (!name || !*name)
        return false;
    const auto first = static_cast<unsigned char>(*name);
    return std::isalpha(first) || first >= 0xC0;
}

void SortUnique(std::vector<std::string>& words)
{
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
}

void AddEntryNames(const tCatalogueRow& row, std::vector<std::string>& words)
{
    if (IsWordName(row.Name))
        words.push_back(Cp1252ToUtf8(row.Name));
    if (IsWordName(row.Alias))
        words.push_back(Cp1252ToUtf8(row.Alias));
}

bool IsUserCommand(const std::string& name)
{
    return !name.empty() && name != "---" && !name.starts_with('[');
}

std::string XmlEscaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// A word as a literal part of a regular expression: letters, digits, '_' and UTF-8 bytes stand
// for themselves, anything else is escaped.
std::string RegexLiteral(std::string_view word)
{
    std::string literal;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (!std::isalnum(byte) && c != '_' && byte < 0x80)
            literal += '\\';
        literal += c;
    }
    return literal;
}

// "(?:A|B|C)" with the longest words first, so that no word stops inside a longer one.
std::string Alternatives(std::vector<std::string> words)
{
    std::stable_sort(words.begin(), words.end(),
        [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    std::string pattern = "(?:";
    for (std::size_t i = 0; i < words.size(); ++i)
        pattern += (i ? "|" : "") + RegexLiteral(words[i]);
    return pattern + ")";
}

void WriteList(std::ostringstream& xml, const char* name, const std::vector<std::string>& words)
{
    xml << "    <list name=\"" << name << "\">\n";
    for (const std::string& word : words)
        xml << "      <item>" << XmlEscaped(word) << "</item>\n";
    xml << "    </list>\n";
}

} // namespace

tSyntaxDefinitionWords SyntaxDefinitionWords(const tStmtList& commands)
{
    tSyntaxDefinitionWords words;
    for (const tCatalogueRow& row : CatalogueRows()) {
        // Rows below the first constant are the machine's own entries, never written by a user.
        if (row.Type != tCatalogueRowType::Entry
            || OpcodeNumber(row.Opcode) < OpcodeNumber(tOpcode::ConstE))
            continue;
        switch (row.Kind) {
        case tTocKind::Function:
            AddEntryNames(row, words.Functions);
            break;
        case tTocKind::Constant:
            AddEntryNames(row, words.Constants);
            break;
        case tTocKind::Operator:
            AddEntryNames(row, words.OperatorWords);
            break;
        case tTocKind::OpeningBracket:
            break;
        }
    }
    // A typed command word is looked up as a prefix of the registered names (slot 0 is no command).
    const auto registered = std::min(
        commands.Commands.size(), static_cast<std::size_t>(std::max(commands.HighIndex + 1, 0)));
    for (std::size_t slot = 1; slot < registered; ++slot) {
        const std::string& name = commands.Commands[slot].Name;
        if (!IsUserCommand(name))
            continue;
        for (std::size_t length = std::min(MinCommandPrefix, name.size()); length <= name.size();
             ++length) {
            const std::string_view prefix(name.data(), length);
            const auto matching = std::count_if(commands.Commands.begin() + 1,
                commands.Commands.begin() + static_cast<std::ptrdiff_t>(registered),
                [&](const tStmt& other) { return other.Name.starts_with(prefix); });
            if (matching == 1)
                words.CommandWords.emplace_back(prefix);
        }
    }
    SortUnique(words.Functions);
    SortUnique(words.Constants);
    SortUnique(words.OperatorWords);
    SortUnique(words.CommandWords);
    return words;
}

std::string KateSyntaxDefinition(const tSyntaxDefinitionWords& words)
{
    // A word ends where no letter, digit or '_' follows; \w alone would not know the umlauts.
    const std::string wordEnd = "(?![\\w\\x{00C0}-\\x{00FF}])";
    const std::string commandPattern
        = Alternatives(words.CommandWords) + wordEnd + "(?!\\s*[=,\\[])";
    const std::string functionPattern
        = "(?<![\\w\\x{00C0}-\\x{00FF}])" + Alternatives(words.Functions) + wordEnd + "(?=\\s*\\()";

    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE language>\n"
           "<!-- Written by zelvora-syntax-definition from the catalogue and the command table. "
           "-->\n"
           "<language name=\"Zelvora\" section=\"Scientific\" version=\"1\" kateversion=\"5.62\"\n"
           "          extensions=\"*.rts\" mimetype=\"text/x-zelvora-script\">\n"
           "  <highlighting>\n";
    WriteList(xml, "constants", words.Constants);
    WriteList(xml, "operatorwords", words.OperatorWords);
    xml << "    <contexts>\n"
           "      <context name=\"Statement\" attribute=\"Normal Text\" lineEndContext=\"#stay\">\n"
           "        <DetectChar char=\";\" firstNonSpace=\"true\" attribute=\"Comment\" "
           "context=\"Comment\"/>\n"
           "        <Detect2Chars char=\"/\" char1=\"/\" attribute=\"Comment\" "
           "context=\"Comment\"/>\n"
           "        <RegExpr String=\""
        << XmlEscaped(commandPattern)
        << "\" insensitive=\"true\" firstNonSpace=\"true\" attribute=\"Command\"/>\n"
           // A label "[n] " as the listing writes it before a statement; the command word follows.
           "        <RegExpr String=\"\\[\\d*\\]\\s*\" firstNonSpace=\"true\" "
           "attribute=\"Normal Text\" context=\"AfterLabel\"/>\n"
           "        <RegExpr String=\""
        << XmlEscaped(functionPattern)
        << "\" insensitive=\"true\" attribute=\"Function\"/>\n"
           "        <DetectChar char=\"&quot;\" attribute=\"String\" context=\"String\"/>\n"
           "        <RegExpr String=\"#(?=[A-Za-z])\" attribute=\"Constant\" "
           "context=\"Constant\"/>\n"
           "        <keyword String=\"operatorwords\" attribute=\"Operator Word\"/>\n"
           "        <Float attribute=\"Number\"/>\n"
           "        <Int attribute=\"Number\"/>\n"
           "        <DetectIdentifier/>\n"
           "      </context>\n"
           "      <context name=\"AfterLabel\" attribute=\"Normal Text\" lineEndContext=\"#pop\" "
           "fallthroughContext=\"#pop\">\n"
           "        <RegExpr String=\""
        << XmlEscaped(commandPattern)
        << "\" insensitive=\"true\" attribute=\"Command\" context=\"#pop\"/>\n"
           "      </context>\n"
           "      <context name=\"Constant\" attribute=\"Normal Text\" lineEndContext=\"#pop\" "
           "fallthroughContext=\"#pop\">\n"
           "        <keyword String=\"constants\" attribute=\"Constant\" context=\"#pop\"/>\n"
           "      </context>\n"
           "      <context name=\"String\" attribute=\"String\" lineEndContext=\"#pop\">\n"
           "        <DetectChar char=\"&quot;\" attribute=\"String\" context=\"#pop\"/>\n"
           "      </context>\n"
           "      <context name=\"Comment\" attribute=\"Comment\" lineEndContext=\"#pop\">\n"
           "        <DetectSpaces/>\n"
           "        <IncludeRules context=\"##Comments\"/>\n"
           "      </context>\n"
           "    </contexts>\n"
           "    <itemDatas>\n"
           "      <itemData name=\"Normal Text\" defStyleNum=\"dsNormal\"/>\n"
           "      <itemData name=\"Command\" defStyleNum=\"dsKeyword\"/>\n"
           "      <itemData name=\"Function\" defStyleNum=\"dsFunction\"/>\n"
           "      <itemData name=\"Operator Word\" defStyleNum=\"dsOperator\"/>\n"
           "      <itemData name=\"Constant\" defStyleNum=\"dsConstant\"/>\n"
           "      <itemData name=\"Number\" defStyleNum=\"dsDecVal\"/>\n"
           "      <itemData name=\"String\" defStyleNum=\"dsString\"/>\n"
           "      <itemData name=\"Comment\" defStyleNum=\"dsComment\"/>\n"
           "    </itemDatas>\n"
           "  </highlighting>\n"
           "  <general>\n"
           "    <comments>\n"
           "      <comment name=\"singleLine\" start=\";\" position=\"afterwhitespace\"/>\n"
           "    </comments>\n"
           // '#' ends a word ("A#"), as do the postfix signs and the Latin-1 operator signs
           // (´ · ° ² ³, written here as their UTF-8 bytes).
           "    <keywords casesensitive=\"0\" additionalDeliminator=\"#'~&quot;"
           "\xC2\xB4\xC2\xB7\xC2\xB0\xC2\xB2\xC2\xB3\"/>\n"
           "  </general>\n"
           "</language>\n";
    return xml.str();
}

std::string ProgramKateSyntaxDefinition()
{
    Catalogue().Build();
    tInterpreter interpreter;
    RegisterCommands(interpreter);
    return KateSyntaxDefinition(SyntaxDefinitionWords(interpreter.Statements()));
}

} // namespace zelvora
