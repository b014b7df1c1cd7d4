// Classification of script lines for the command editor's colouring.
#include "ui/syntax_classes.h"

#include "interpreter/statement_table.h"
#include "lexicon/catalogue.h"
#include "lexicon/scanner.h"

namespace zelvora {
namespace {

bool IsLetter(char c)
{
    return ClassOfChar(static_cast<unsigned char>(c)) == tCharClass::Letter;
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// End of the number that begins at start: digits, a fraction (a dot followed by a digit, so that
// "1..5" stays a range) and an exponent with an optional sign.
std::size_t NumberEnd(std::string_view line, std::size_t start)
{
    std::size_t pos = start;
    auto digits = [&] {
        while (pos < line.size() && IsDigit(line[pos]))
            ++pos;
    };
    digits();
    if (pos + 1 < line.size() && line[pos] == '.' && IsDigit(line[pos + 1])) {
        ++pos;
        digits();
    }
    if (pos < line.size() && (line[pos] == 'e' || line[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < line.size() && (line[exponent] == '+' || line[exponent] == '-'))
            ++exponent;
        if (exponent < line.size() && IsDigit(line[exponent])) {
            pos = exponent;
            digits();
        }
    }
    return pos;
}

std::size_t NameEnd(std::string_view line, std::size_t start)
{
    std::size_t pos = start + 1;
    while (pos < line.size() && (IsLetter(line[pos]) || IsDigit(line[pos])))
        ++pos;
    return pos;
}

// Where a label "[n]" at the start of the line ends (the statement list drops it), else 0.
std::size_t AfterLabel(std::string_view line)
{
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos < line.size() && line[pos] == '[') {
        const std::size_t close = line.find(']', pos);
        if (close != std::string_view::npos)
            return close + 1;
    }
    return 0;
}

// A name that begins a statement is its command word unless a target list follows it.
bool StartsAssignment(std::string_view line, std::size_t afterName)
{
    while (afterName < line.size() && IsBlank(line[afterName]))
        ++afterName;
    if (afterName >= line.size())
        return false;
    const char next = line[afterName];
    return next == '=' || next == ',' || next == '[';
}

// The next character after blanks is an opening bracket: the name is called.
bool IsCalled(std::string_view line, std::size_t afterName)
{
    while (afterName < line.size() && IsBlank(line[afterName]))
        ++afterName;
    return afterName < line.size() && line[afterName] == '(';
}

bool Holds(const tWordTest& test, std::string_view word)
{
    return test && test(word);
}

std::int32_t Offset(std::size_t pos)
{
    return static_cast<std::int32_t>(pos);
}

} // namespace

std::int32_t CommentStart(std::string_view line)
{
    bool inQuotes = false;
    bool onlyBlanks = true;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            inQuotes = !inQuotes;
        if (c == ';' && onlyBlanks)
            return Offset(i);
        if (!inQuotes && c == '/' && line[i + 1] == '/')
            return Offset(i);
        if (!IsBlank(c))
            onlyBlanks = false;
    }
    return -1;
}

std::vector<tSyntaxSpan> ClassifyLine(std::string_view line, const tSyntaxWords& words)
{
    std::vector<tSyntaxSpan> spans;
    const std::int32_t comment = CommentStart(line);
    const std::string_view code = comment < 0 ? line : line.substr(0, std::size_t(comment));
    auto add = [&](std::size_t start, std::size_t end, tSyntaxClass kind) {
        spans.push_back({ Offset(start), Offset(end - start), kind });
    };
    bool firstName = true;
    std::size_t pos = AfterLabel(code);
    while (pos < code.size()) {
        const char c = code[pos];
        if (c == '"') {
            const std::size_t close = code.find('"', pos + 1);
            const std::size_t end = close == std::string_view::npos ? code.size() : close + 1;
            add(pos, end, tSyntaxClass::String);
            pos = end;
        } else if (IsDigit(c)) {
            const std::size_t end = NumberEnd(code, pos);
            add(pos, end, tSyntaxClass::Number);
            pos = end;
        } else if (IsLetter(c)) {
            const std::size_t end = NameEnd(code, pos);
            const std::string word = NameFold(code.substr(pos, end - pos));
            // The first name of an assignment is its target, a variable even when the
            // catalogue knows the name too.
            const bool target = firstName && StartsAssignment(code, end);
            const bool constant = pos > 0 && code[pos - 1] == '#';
            const bool variable = Holds(words.IsVariable, word);
            tSyntaxClass kind = variable ? tSyntaxClass::Variable : tSyntaxClass::Name;
            if (firstName && !target && Holds(words.IsCommandWord, word))
                kind = tSyntaxClass::CommandWord;
            else if (!target && Holds(words.IsCatalogueWord, word)
                && (constant || IsCalled(code, end)
                    || (!variable && Holds(words.IsOperatorWord, word))))
                kind = tSyntaxClass::CatalogueWord;
            add(pos, end, kind);
            firstName = false;
            pos = end;
        } else {
            if (!IsBlank(c))
                firstName = false;
            ++pos;
        }
    }
    if (comment >= 0)
        add(std::size_t(comment), line.size(), tSyntaxClass::Comment);
    return spans;
}

bool IsCommandWordOf(const tStmtList& table, std::string_view word)
{
    if (word.empty())
        return false;
    const std::string upper = NameFold(word);
    std::int32_t matches = 0;
    for (std::int32_t slot = 1;
         slot <= table.HighIndex && slot < std::int32_t(table.Commands.size()); ++slot) {
        if (table.Commands[std::size_t(slot)].Name.starts_with(upper))
            ++matches;
    }
    return matches == 1;
}

bool IsCatalogueWord(std::string_view word)
{
    return !word.empty() && Catalogue().Lookup(word, 0).Found;
}

bool IsOperatorWord(std::string_view word)
{
    if (word.empty())
        return false;
    const tTocLookup found = Catalogue().Lookup(word, 0);
    return found.Found && Catalogue().Entry(found.Entry).Kind == tTocKind::Operator;
}

} // namespace zelvora
