// The copy and listing schemes and the rendering of a matrix variable as text.
#include "variables/text_layout.h"

#include "numerics/missing_values.h"
#include "text/name_fold.h"
#include "text/word_list.h"
#include "variables/number_format.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zelvora {
namespace {

// The separator "system" stands for the locale's decimal separator.
constexpr std::string_view SystemSeparator = "system";

struct tScheme {
    std::int32_t number;
    std::string_view decimalChar;
    std::string_view columnSep;
    std::string_view rowBrackets;
    std::string_view rowSep;
    std::string_view rowBars;
    std::string_view lineCont;
    std::string_view header;
    std::string_view beginLine;
    std::string_view endLine;
    bool omitZeros;
};

// clang-format off
    constexpr std::array<tScheme, 10> Schemes { {
        //  no  decimal          column  brackets rows    bars  cont   header              begin            end            omit
        {  1, ".",             ",",    "{}",    ",",    "",   " _ ", " %n =",            "",              "",            false },
        {  2, ",",             "\t",   "",      "",     "||", "",    "",                 "",              "",            false },
        {  3, ",",             "\t",   "",      "\r\n", "",   "",    "",                 "",              "",            false },
        {  4, ".",             "  ",   "",      "",     "",   "",    " %n : ",           "",              "",            true  },
        {  6, ".",             "\t",   "",      "",     "",   "",    "      %n : ",      "",              "",            true  },
        {  7, SystemSeparator, "\t",   "",      "",     "",   "",    "",                 "",              "",            false },
        {  9, SystemSeparator, ",",    "",      "",     "",   "",    "",                 "",              "",            false },
        { 10, SystemSeparator, "&",    "",      "\\\\", "",   "",    " \\text{ %n =}",   "\\begin{array}", "\\end{array}", true  },
        { 11, SystemSeparator, ",",    "",      ";",    "",   "",    " { %n = [",        "",              "] }  ",       true  },
        { 12, ",",             "\t",   "",      "",     "",   "",    "",                 "",              "",            false },
    } };
// clang-format on

// The words of SchemeWords and the schemes they choose ("Nix": none).
constexpr std::array<std::int32_t, 8> SchemesOfWords { 1, 2, 0, 4, 7, 10, 11, 12 };

const tScheme* FindScheme(std::int32_t number)
{
    for (const tScheme& scheme : Schemes) {
        if (scheme.number == number)
            return &scheme;
    }
    return nullptr;
}

void SetSchemeFields(const tScheme& scheme, tTextLayout& layout, char decimalSeparator)
{
    layout.DecimalChar = scheme.decimalChar == SystemSeparator ? std::string(1, decimalSeparator)
                                                               : std::string(scheme.decimalChar);
    layout.ColumnSep = scheme.columnSep;
    layout.RowBrackets = scheme.rowBrackets;
    layout.RowSep = scheme.rowSep;
    layout.RowBars = scheme.rowBars;
    layout.LineCont = scheme.lineCont;
    layout.Header = scheme.header;
    layout.BeginLine = scheme.beginLine;
    layout.EndLine = scheme.endLine;
    layout.OmitZeros = scheme.omitZeros;
}

// Character n (1-based) of a layout string; a string too short for it gives nothing.
std::string CharOf(const std::string& text, std::size_t n)
{
    return text.size() >= n ? std::string(1, text[n - 1]) : std::string();
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with)
{
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// Every line ends in CR LF: lone CRs and LFs become CR LF, and the last line, even an empty
// closing line, gets its own.
std::string NormaliseLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result += c == '\0' ? '\xB9' : c;
        }
    }
    return result + "\r\n";
}

// Rows and columns as the variable is shown; cells beyond its storage render empty.
struct tShownDims {
    std::int32_t rows = 0;
    std::int32_t cols = 0;
};

tShownDims ShownDims(const tVariable& variable)
{
    const bool text = variable.datatype == dtString;
    const std::int32_t rows = text ? variable.strmatrix.Rows() : variable.matrix.Rows();
    const std::int32_t cols = text ? variable.strmatrix.Cols() : variable.matrix.Cols();
    switch (variable.shape) {
    case shMatrix:
        return { rows, cols };
    case shRange:
        return { rows, 2 };
    case shVector:
        return { 1, cols };
    default:
        return {};
    }
}

} // namespace

std::int32_t SchemeNumberOfWord(std::string_view word)
{
    const std::int32_t position = WordListPosition(SchemeWords, word, tWordMatch::Folded);
    return position == 0 ? -1 : SchemesOfWords[static_cast<std::size_t>(position - 1)];
}

std::int32_t CellKindOfWord(std::string_view word)
{
    const std::string folded = NameFold(word);
    if (folded == "FIX")
        return CellKindFixed;
    if (folded == "SCI")
        return CellKindExponent;
    return CellKindGeneral;
}

std::int32_t ClampCellWidth(std::int32_t width)
{
    return std::clamp(width, 1, 30);
}

std::int32_t ClampCellDecimals(std::int32_t decimals)
{
    return std::clamp(decimals, 0, 20);
}

std::string CopyColumnSepOfOption(std::string_view text)
{
    if (text == "T" || text == "t")
        return "\t";
    return CutLayoutText(text, LayoutSeparatorMax);
}

std::string CutLayoutText(std::string_view text, std::size_t maxLength)
{
    return std::string(text.substr(0, maxLength));
}

tTextLayout DefaultCopyLayout()
{
    tTextLayout layout;
    ApplyScheme(SchemeZelvora, layout, '.'); // its separator is always the point
    layout.TextWidth = 8;
    layout.TextDecimals = 2;
    layout.CellKind = CellKindFixed;
    layout.CellWidth = 8;
    layout.CellDecimals = 3;
    return layout;
}

tTextLayout DefaultListingLayout()
{
    tTextLayout layout;
    ApplyScheme(SchemeListing, layout, '.'); // its separator is always the point
    layout.TextWidth = 8;
    layout.TextDecimals = 2;
    return layout;
}

void ApplyScheme(std::int32_t number, tTextLayout& layout, char decimalSeparator)
{
    const tScheme* scheme = FindScheme(number);
    if (!scheme)
        return;
    SetSchemeFields(*scheme, layout, decimalSeparator);
    if (number == SchemeCompressed)
        layout.TextWidth = -1;
}

tTextLayout MakeScheme(std::int32_t number, std::int32_t w, std::int32_t d,
    const tTextLayout& copyLayout, const tTextLayout& listingLayout, char decimalSeparator)
{
    const tTextLayout& source = number == SchemeListing ? listingLayout : copyLayout;
    tTextLayout layout = source;
    layout.BeginLine.clear();
    layout.EndLine.clear();
    if (const tScheme* scheme = FindScheme(number))
        SetSchemeFields(*scheme, layout, decimalSeparator);
    layout.TextWidth = w == -2 ? source.TextWidth : w;
    layout.TextDecimals = d == -2 ? source.TextDecimals : d;
    return layout;
}

namespace {

// The point of a missing cell, right-aligned in the width the numbers take.
std::string PaddedMissingCell(std::int32_t width)
{
    return std::string(static_cast<std::size_t>(std::max(width, 1) - 1), ' ') + MissingCellText;
}

} // namespace

std::string RenderText(const tVariable& variable, const tTextLayout& layout, bool quote)
{
    if (variable.shape != shMatrix && variable.shape != shRange && variable.shape != shVector)
        return {};
    const auto [rows, cols] = ShownDims(variable);
    const bool isString = variable.datatype == dtString;
    const std::string open = CharOf(layout.RowBrackets, 1);
    const std::string close = CharOf(layout.RowBrackets, 2);
    const char decimalChar = layout.DecimalChar.empty() ? '.' : layout.DecimalChar[0];

    std::string header = ReplaceAll(layout.Header, "%n", variable.name);
    if (!layout.BeginLine.empty())
        header += " " + layout.BeginLine + " {" + std::string(static_cast<std::size_t>(cols), 'r')
            + "} ";
    if (!layout.RowBrackets.empty())
        header += " " + open + " ";
    header += layout.LineCont;

    std::string text = header;
    auto addLine = [&text](const std::string& line) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    };

    std::vector<std::size_t> columnWidths;
    if (isString) {
        columnWidths.assign(static_cast<std::size_t>(cols) + 1, 0);
        for (std::int32_t r = 1; r <= rows; ++r) {
            for (std::int32_t c = 1; c <= cols; ++c) {
                if (variable.strmatrix.Contains(r, c))
                    columnWidths[c]
                        = std::max(columnWidths[c], TrimBlanks(variable.strmatrix(r, c)).size());
            }
        }
    }

    for (std::int32_t r = 1; r <= rows; ++r) {
        std::string line;
        for (std::int32_t c = 1; c <= cols; ++c) {
            if (c > 1)
                line += layout.ColumnSep;
            if (isString) {
                if (!variable.strmatrix.Contains(r, c))
                    continue;
                const std::string_view element = TrimBlanks(variable.strmatrix(r, c));
                const std::size_t pad = std::min<std::size_t>(columnWidths[c] - element.size(), 39);
                std::string cell = std::string(pad, ' ') + std::string(element);
                line += quote ? "\"" + cell + "\"" : cell;
            } else if (variable.datatype == dtInteger || variable.datatype == dtReal) {
                if (!variable.matrix.Contains(r, c))
                    continue;
                const long double x = variable.matrix(r, c);
                // A missing cell is written as the '.' the CSV reader takes for one, never as a
                // number that a spreadsheet would read as 0.
                if (x == MissingNumber) {
                    line += PaddedMissingCell(layout.TextWidth);
                    continue;
                }
                std::string cell = TextNumber(x, layout.TextWidth, layout.TextDecimals);
                if (decimalChar != '.')
                    std::replace(cell.begin(), cell.end(), '.', decimalChar);
                line += cell;
            } else if (variable.datatype == dtBoolean) {
                line += "???";
            }
        }
        if (!layout.RowBrackets.empty())
            line = "     " + open + line + close;
        if (!layout.RowBars.empty())
            line = "     \t" + CharOf(layout.RowBars, 1) + " " + line + " "
                + CharOf(layout.RowBars, 2);
        if (r < rows)
            line += layout.RowSep;
        if (r < rows || !layout.RowBrackets.empty())
            line += layout.LineCont;
        if (!line.empty())
            addLine(line);
    }

    std::string closing;
    if (!layout.RowBrackets.empty())
        closing = "     " + close;
    if (!layout.EndLine.empty())
        closing = "     " + closing + layout.EndLine;
    addLine(closing);
    return NormaliseLineBreaks(text);
}

} // namespace zelvora
