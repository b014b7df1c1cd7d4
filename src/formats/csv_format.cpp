// Separated-values text (CSV): writers for numeric and string matrices and the reader.
#include "formats/csv_format.h"

#include "language/scan_stages.h"
#include "language/scanner.h"
#include "language/short_scanner.h"
#include "text/text_encoding.h"
#include "numerics/library_state.h"
#include "variables/variable.h"

#include <algorithm>
#include <limits>

namespace zelvora {
namespace {

char ColumnSeparator(std::string_view textOption)
{
    if (textOption.empty() || textOption[0] == 'T' || textOption[0] == 't')
        return '\t';
    return textOption[0];
}

char DecimalSeparator(std::string_view textOption)
{
    return textOption.size() >= 2 ? textOption[1] : '.';
}

tFormatResult Deliver(std::string_view fileName, std::string_view text)
{
    return IsClipboardName(fileName) ? PutOnClipboard(text) : WriteTextFile(fileName, text);
}

// ---- Tokens of the reader

struct tValueToken {
    std::uint16_t Kind = 0;
    std::string Text;
};
using tValueTokens = std::vector<tValueToken>;

bool IsNumberToken(const tValueToken& token)
{
    return token.Kind == tkInteger || token.Kind == tkReal || token.Kind == tkNumberDot;
}

bool IsSign(const tValueToken& token, char sign)
{
    return token.Kind == tkSign && token.Text.size() == 1 && token.Text[0] == sign;
}

// The short scanner's rules (quote ', its pair list, quoted runs kept apart) over a text of
// any length, so that long lines keep all their values.
tValueTokens ScanTokens(std::string_view text)
{
    using namespace scanning;
    tValueTokens tokens;
    for (const tRun& run : CombinedRuns(text, { '\'', ShortPairList, false })) {
        if (run.Kind == static_cast<std::uint16_t>(tCharClass::Blank))
            continue;
        std::uint16_t kind = FinalNumberKind(run.Kind);
        if (kind >= tkFirstPair && kind <= tkLastPair)
            kind = tkSign;
        else if (kind == QuotedKind || kind == QuotedContinuationKind)
            kind = tkString;
        tokens.push_back({ kind,
            std::string(text.substr(static_cast<std::size_t>(run.First),
                static_cast<std::size_t>(run.Last - run.First + 1))) });
    }
    return tokens;
}

// Tokens of a line with signs joined to their numbers: ".5" becomes "0.5" (first, so that
// "-.5" reads as -0.5), a '+' before a number is dropped, a '-' joins it, and integers count
// as reals.
tValueTokens ValueTokens(std::string_view text)
{
    const tValueTokens scanned = ScanTokens(text);
    tValueTokens dotted;
    dotted.reserve(scanned.size());
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        if (IsSign(scanned[i], '.') && i + 1 < scanned.size() && IsNumberToken(scanned[i + 1])) {
            dotted.push_back({ tkReal, "0." + scanned[i + 1].Text });
            ++i;
        } else {
            dotted.push_back(scanned[i]);
        }
    }
    tValueTokens tokens;
    tokens.reserve(dotted.size());
    for (std::size_t i = 0; i < dotted.size(); ++i) {
        const bool plus = IsSign(dotted[i], '+');
        const bool minus = IsSign(dotted[i], '-');
        if ((plus || minus) && i + 1 < dotted.size() && IsNumberToken(dotted[i + 1])) {
            tokens.push_back({ dotted[i + 1].Kind, (minus ? "-" : "") + dotted[i + 1].Text });
            ++i;
        } else {
            tokens.push_back(dotted[i]);
        }
    }
    for (tValueToken& token : tokens) {
        if (token.Kind == tkInteger)
            token.Kind = tkReal;
    }
    return tokens;
}

// ---- Free form

tMatrixReadResult ReadFree(const std::vector<std::string>& lines)
{
    std::vector<std::size_t> positions;
    std::vector<long double> cells;
    std::int32_t rows = 0;
    for (const std::string& line : lines) {
        const tValueTokens tokens = ValueTokens(line);
        if (rows == 0) {
            for (std::size_t i = 0; i < tokens.size(); ++i) {
                if (IsNumberToken(tokens[i]))
                    positions.push_back(i);
            }
        }
        for (std::size_t position : positions) {
            long double value = 0;
            const bool number = position < tokens.size() && IsNumberToken(tokens[position])
                && ParsePointNumber(tokens[position].Text, &value);
            cells.push_back(number ? value : MissingValue());
        }
        if (rows == std::numeric_limits<std::int32_t>::max())
            throw tRangeError();
        ++rows;
    }
    const auto cols = static_cast<std::int32_t>(positions.size());
    tMatrixReadResult result { true, trealmatrix(rows, cols), {} };
    auto cell = cells.begin();
    for (std::int32_t r = 1; r <= rows; ++r) {
        for (std::int32_t c = 1; c <= cols; ++c)
            result.Matrix(r, c) = *cell++;
    }
    return result;
}

// ---- Shaped form

std::uint64_t IntegerSquareRoot(std::uint64_t n)
{
    std::uint64_t root = 0;
    std::uint64_t bit = std::uint64_t { 1 } << 62;
    while (bit > n)
        bit >>= 2;
    while (bit != 0) {
        if (n >= root + bit) {
            n -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

struct tCell {
    std::int32_t Row = 0;
    std::int32_t Col = 0;
};

// Size and cells (in filling order) of the shape 4 L + 2 D + U for n values.
std::int32_t ShapeSize(int shape, std::uint64_t n)
{
    std::uint64_t size = 1;
    switch (shape) {
    case 1:
        size = IntegerSquareRoot(2 * n) + 1;
        break;
    case 2:
        size = n;
        break;
    case 3:
        size = IntegerSquareRoot(2 * n);
        break;
    case 4:
        size = IntegerSquareRoot(2 * n) + 1;
        break;
    case 5:
        size = IntegerSquareRoot(n) + 1;
        break;
    case 6:
        size = IntegerSquareRoot(2 * n);
        break;
    case 7:
        size = IntegerSquareRoot(n);
        break;
    default:
        break;
    }
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        throw tRangeError();
    return static_cast<std::int32_t>(size);
}

std::vector<tCell> ShapeCells(int shape, std::int32_t size)
{
    std::vector<tCell> cells;
    if (shape == 0)
        return cells;
    if (shape == 2) {
        for (std::int32_t i = 1; i <= size; ++i)
            cells.push_back({ i, i });
        return cells;
    }
    const bool lower = (shape & 4) != 0;
    const bool diagonal = (shape & 2) != 0;
    const bool upper = (shape & 1) != 0;
    for (std::int32_t r = 1; r <= size; ++r) {
        for (std::int32_t c = 1; c <= size; ++c) {
            if ((c < r && lower) || (c == r && diagonal) || (c > r && upper))
                cells.push_back({ r, c });
        }
    }
    return cells;
}

tMatrixReadResult ReadShaped(const std::vector<std::string>& lines, std::string_view format)
{
    std::string joined;
    for (const std::string& line : lines) {
        if (!joined.empty())
            joined += ' ';
        joined += line;
    }
    const tValueTokens tokens = ValueTokens(joined);
    const auto has = [&](char letter) { return format.find(letter) != std::string_view::npos; };
    const int shape = (has('L') ? 4 : 0) + (has('D') ? 2 : 0) + (has('U') ? 1 : 0);
    const bool mirror = has('Y');
    const std::int32_t size = ShapeSize(shape, tokens.size());
    const std::vector<tCell> cells = ShapeCells(shape, size);
    trealmatrix m(size, size);
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        long double value = 0;
        if (!ParsePointNumber(tokens[t].Text, &value)) {
            const std::string message = "Conversion error with dataelement " + std::to_string(t);
            SetLibError(CsvReadErrorCode, message);
            return { false, trealmatrix(0, 0), message };
        }
        if (t >= cells.size())
            throw tRangeError();
        m(cells[t].Row, cells[t].Col) = value;
        if (mirror)
            m(cells[t].Col, cells[t].Row) = value;
    }
    return { true, std::move(m), {} };
}

} // namespace

tFormatResult CsvWrite(const trealmatrix& m, std::string_view fileName, std::int32_t width,
    std::int32_t decimals, std::string_view textOption)
{
    const char separator = ColumnSeparator(textOption);
    const char decimalSeparator = DecimalSeparator(textOption);
    std::string text;
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c) {
            if (c > 1)
                text += separator;
            text += MatrixNumberText(m(r, c), width, decimals, decimalSeparator);
        }
        text += MatrixFileLineEnd;
    }
    return Deliver(fileName, text);
}

tFormatResult StringCsvWrite(
    const tStringmatrix& m, std::string_view fileName, std::string_view textOption)
{
    const char separator = ColumnSeparator(textOption);
    std::vector<std::size_t> widths(static_cast<std::size_t>(m.Cols()) + 1, 0);
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c)
            widths[static_cast<std::size_t>(c)]
                = std::max(widths[static_cast<std::size_t>(c)], m(r, c).size());
    }
    std::string text;
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c) {
            if (c > 1)
                text += separator;
            const std::string& element = m(r, c);
            text += element;
            text.append(widths[static_cast<std::size_t>(c)] - element.size(), ' ');
        }
        text += MatrixFileLineEnd;
    }
    return Deliver(fileName, text);
}

tMatrixReadResult CsvRead(std::string_view fileName, std::string_view format)
{
    tMatrixReadResult result { false, trealmatrix(0, 0), {} };
    if (LibErrorCode() != 0)
        return result;
    std::string text;
    if (NameFold(fileName) == "CLIPBOARD") {
        const std::optional<std::string> clip
            = MatrixClipboard() != nullptr ? MatrixClipboard()->Text() : std::nullopt;
        if (!clip) {
            result.Message = "Clipboard has no simple text-contents/format ";
            return result;
        }
        text = *clip;
    } else {
        const std::optional<std::string> bytes = ReadWholeFile(fileName);
        if (!bytes) {
            result.Message = CutMessage("Datei " + std::string(fileName)
                + " konnte nicht ge\xF6"
                  "ffnet werden");
            SetLibError(CsvReadErrorCode, result.Message);
            return result;
        }
        text = DecodeFileText(*bytes);
    }
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(text)) {
        const std::string_view trimmed = TrimmedView(line);
        if (!trimmed.empty() && trimmed.front() != ';')
            lines.emplace_back(trimmed);
    }
    const std::string shapeLetters = NameFold(TrimmedView(format));
    return shapeLetters.empty() ? ReadFree(lines) : ReadShaped(lines, shapeLetters);
}

} // namespace zelvora
