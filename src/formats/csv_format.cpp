// Separated-values text (CSV): writers for numeric and string matrices and the reader.
#include "formats/csv_format.h"

#include "lexicon/scan_stages.h"
#include "lexicon/scanner.h"
#include "lexicon/short_scanner.h"
#include "numerics/decimal_text.h"
#include "numerics/library_state.h"
#include "text/text_encoding.h"
#include "variables/variable.h"

#include <algorithm>
#include <cstring>
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

tFormatResult Deliver(
    std::string_view fileName, std::string_view text, tClipboardPort* clipboardPort)
{
    return IsClipboardName(fileName) ? PutOnClipboard(clipboardPort, text)
                                     : WriteTextFile(fileName, text);
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
        const std::uint16_t kind = ShortTokenKind(run.Kind);
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

// One token of a line as the free form sees it: a number (parsed, or not convertible), a cell
// separator, an empty cell between two separators, or anything else.
struct tCellToken {
    enum class tKind : std::uint8_t { Number, Separator, Empty, Other };
    tKind Kind = tKind::Other;
    bool Parsed = false;
    bool Quoted = false; // an Other token written in double quotes
    long double Value = 0;
    std::string Text {}; // of an Other token: a header's name, or the text of a quoted cell
};
using tCellTokens = std::vector<tCellToken>;

bool IsCellSeparator(char c)
{
    return c == ',' || c == ';';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Appends the tokens of a separator: an empty cell when it directly follows another separator.
void AddSeparator(tCellTokens& tokens)
{
    if (!tokens.empty() && tokens.back().Kind == tCellToken::tKind::Separator)
        tokens.push_back({ tCellToken::tKind::Empty });
    tokens.push_back({ tCellToken::tKind::Separator });
}

// The tokens of a line by the scanner's rules (any text).
void ScannedCellTokens(std::string_view line, tCellTokens& tokens)
{
    for (const tValueToken& token : ValueTokens(line)) {
        if (token.Kind == tkSign && token.Text.size() == 1 && IsCellSeparator(token.Text[0])) {
            AddSeparator(tokens);
            continue;
        }
        tCellToken cell;
        if (IsNumberToken(token)) {
            cell.Kind = tCellToken::tKind::Number;
            cell.Parsed = ParsePointNumber(token.Text, &cell.Value);
        } else {
            cell.Text = token.Text;
        }
        tokens.push_back(std::move(cell));
    }
}

// The length of a plain number at the start of text: [+-] digits [. digits] [(e|E) [+-] digits],
// or 0. The scanner reads every such number as one number token with its sign joined.
std::size_t PlainNumberLength(std::string_view text)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t first = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i > first;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (!digits())
        return 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!digits())
            return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!digits())
            return 0;
    }
    return i;
}

// A plain number (as PlainNumberLength accepts it, without a '+' in front, which ReadDecimal
// accepts too, so it is not checked again); false when it is out of range, which the scanner's way
// then reads.
bool ParsePlainNumber(std::string_view text, long double* value)
{
    return ReadCheckedDecimal(text, *value) == tDecimalRead::Number;
}

// The tokens of a line made only of plain numbers, blanks and the separators ',' and ';', read
// without the scanner; false (tokens undefined) for any other line, which the scanner then reads.
bool PlainCellTokens(std::string_view line, tCellTokens& tokens)
{
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (IsCellSeparator(c)) {
            AddSeparator(tokens);
            ++i;
            continue;
        }
        const std::size_t length = PlainNumberLength(line.substr(i));
        if (length == 0)
            return false;
        const std::size_t next = i + length;
        if (next < line.size() && line[next] != ' ' && line[next] != '\t'
            && !IsCellSeparator(line[next]))
            return false;
        // The scanner drops a '+' sign; from_chars reads neither it nor a leading '+'.
        const std::size_t first = line[i] == '+' ? i + 1 : i;
        // Built in place: a number's token carries no text to copy.
        tCellToken& cell = tokens.emplace_back();
        cell.Kind = tCellToken::tKind::Number;
        cell.Parsed = ParsePlainNumber(line.substr(first, next - first), &cell.Value);
        i = next;
    }
    return true;
}

// ---- Cells in double quotes and the German form

// How the free form reads the cells: the point as decimal sign with ',' and ';' between cells, or
// the form of German spreadsheets: ';' between cells and ',' as decimal sign.
enum class tCsvForm : std::uint8_t { Point, German };

// Whether the whole part of a German number (before its comma) groups its digits by thousands
// with points: 1 to 3 digits, then groups of a point and 3 digits ("1.234.567", "-12.500").
bool HasThousandsPoints(std::string_view number)
{
    const std::size_t comma = number.find(',');
    std::string_view whole = number.substr(0, comma);
    if (!whole.empty() && whole.front() == '-')
        whole.remove_prefix(1);
    const std::size_t firstPoint = whole.find('.');
    if (firstPoint == std::string_view::npos || firstPoint == 0 || firstPoint > 3)
        return false;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const bool pointPlace = i >= firstPoint && (i - firstPoint) % 4 == 0;
        if (pointPlace ? whole[i] != '.' : !IsDigit(whole[i]))
            return false;
    }
    return (whole.size() - firstPoint) % 4 == 0;
}

// A cell's text read as a number: a '+' in front is dropped, and in the German form its comma
// is the decimal sign and points that group the thousands are passed over (read from a copy with
// a point in the comma's place).
tCellToken CellOfText(std::string_view text, tCsvForm form, bool quoted)
{
    tCellToken cell;
    std::string_view number = !text.empty() && text.front() == '+' ? text.substr(1) : text;
    std::string pointed;
    if (form == tCsvForm::German
        && (number.find(',') != std::string_view::npos || HasThousandsPoints(number))) {
        const bool thousands = HasThousandsPoints(number);
        for (const char c : number) {
            if (c == ',')
                pointed += '.';
            else if (c != '.' || !thousands)
                pointed += c;
        }
        number = pointed;
    }
    long double value = 0;
    const tDecimalRead read
        = number.empty() ? tDecimalRead::NotANumber : ReadDecimal(number, value);
    if (read == tDecimalRead::NotANumber) {
        cell.Quoted = quoted;
        cell.Text = std::string(text);
        return cell;
    }
    cell.Kind = tCellToken::tKind::Number;
    cell.Parsed = read == tDecimalRead::Number;
    cell.Value = value;
    return cell;
}

// The text inside double quotes starting at line[i] (a doubled quote stands for one); i moves past
// the closing quote, or to the end of a line that does not close it.
std::string QuotedText(std::string_view line, std::size_t& i)
{
    std::string text;
    ++i;
    while (i < line.size()) {
        if (line[i] == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                text += '"';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        text += line[i++];
    }
    return text;
}

// The tokens of a line cut at its separators outside double quotes (';' in the German form, ',' and
// ';' else) and at blanks; a quoted cell is read as a number when its text is one, an empty quoted
// cell is an empty cell, and so is the cell before a separator that begins the line or after one
// that ends it.
void DelimitedCellTokens(std::string_view line, tCsvForm form, tCellTokens& tokens)
{
    const auto separates
        = [form](char c) { return c == ';' || (c == ',' && form == tCsvForm::Point); };
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (separates(c)) {
            AddSeparator(tokens);
            ++i;
        } else if (c == '"') {
            const std::string text = QuotedText(line, i);
            if (TrimmedView(text).empty())
                tokens.push_back({ tCellToken::tKind::Empty });
            else
                tokens.push_back(CellOfText(TrimmedView(text), form, true));
        } else {
            const std::size_t first = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"'
                && !separates(line[i]))
                ++i;
            tokens.push_back(CellOfText(line.substr(first, i - first), form, false));
        }
        if (tokens.size() == 1 && tokens.front().Kind == tCellToken::tKind::Separator)
            tokens.insert(tokens.begin(), tCellToken { tCellToken::tKind::Empty });
    }
    if (!tokens.empty() && tokens.back().Kind == tCellToken::tKind::Separator)
        tokens.push_back({ tCellToken::tKind::Empty });
}

void CellTokens(std::string_view line, tCsvForm form, tCellTokens& tokens)
{
    tokens.clear();
    // A line that begins with its separator has an empty first cell, which only the delimited
    // reading keeps.
    if (form == tCsvForm::German || line.find('"') != std::string_view::npos
        || (!line.empty() && line.front() == ';')) {
        DelimitedCellTokens(line, form, tokens);
        return;
    }
    if (!PlainCellTokens(line, tokens)) {
        tokens.clear();
        ScannedCellTokens(line, tokens);
    }
}

std::size_t CellCount(const tCellTokens& tokens)
{
    return static_cast<std::size_t>(std::ranges::count_if(
        tokens, [](const tCellToken& t) { return t.Kind != tCellToken::tKind::Separator; }));
}

bool HasNumber(const tCellTokens& tokens)
{
    return std::ranges::any_of(
        tokens, [](const tCellToken& t) { return t.Kind == tCellToken::tKind::Number; });
}

// The data lines of a text: trimmed and not empty, with their line numbers. A line beginning with
// ';' is a comment, or, when ';' separates the file's cells and it holds a number, a row whose
// first cell is empty.
struct tDataLine {
    std::string_view Text;
    std::size_t Number = 0;
    bool Comment = false;
};

std::vector<tDataLine> DataLines(std::string_view text)
{
    std::vector<tDataLine> lines;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        // The line ends at its '\n' (found with memchr, the fast way through a large file) or at
        // a '\r' before it.
        const void* newline = std::memchr(text.data() + start, '\n', text.size() - start);
        const std::size_t lineFeed = newline
            ? static_cast<std::size_t>(static_cast<const char*>(newline) - text.data())
            : text.size();
        const void* carriage = std::memchr(text.data() + start, '\r', lineFeed - start);
        const std::size_t end = carriage
            ? static_cast<std::size_t>(static_cast<const char*>(carriage) - text.data())
            : lineFeed;
        ++number;
        const std::string_view trimmed = TrimmedView(text.substr(start, end - start));
        if (!trimmed.empty())
            lines.push_back({ trimmed, number, trimmed.front() == ';' });
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// Cells of a German file that hold a comma: numbers with a decimal comma, and others (a comma
// that separates cells, or text), with the first line of each kind.
struct tCommaEvidence {
    std::size_t German = 0;
    std::size_t Other = 0;
    std::size_t FirstGermanLine = 0;
    std::size_t FirstOtherLine = 0;
};

// One ';'-cell with a comma: a German number has exactly one comma and reads as a number with a
// point in its place.
bool IsGermanNumber(std::string_view cell)
{
    cell = TrimmedView(cell);
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
        cell = TrimmedView(cell.substr(1, cell.size() - 2));
    if (std::ranges::count(cell, ',') != 1)
        return false;
    return CellOfText(cell, tCsvForm::German, false).Kind == tCellToken::tKind::Number;
}

void WeighCommaCells(const tDataLine& line, tCommaEvidence& evidence)
{
    bool quoted = false;
    std::size_t first = 0;
    const std::string_view text = line.Text;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"')
            quoted = !quoted;
        if (i < text.size() && (quoted || text[i] != ';'))
            continue;
        const std::string_view cell = text.substr(first, i - first);
        first = i + 1;
        if (cell.find(',') == std::string_view::npos)
            continue;
        const bool german = IsGermanNumber(cell);
        const std::string_view trimmed = TrimmedView(cell);
        if (!german && trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"')
            continue; // a comma inside quoted text separates nothing

        std::size_t& count = german ? evidence.German : evidence.Other;
        std::size_t& firstLine = german ? evidence.FirstGermanLine : evidence.FirstOtherLine;
        if (count++ == 0)
            firstLine = line.Number;
    }
}

struct tFormChoice {
    tCsvForm Form = tCsvForm::Point;
    std::string Warning;
};

// The form of the whole text: German when ';' separates cells and the cells with a comma are
// numbers with a decimal comma. When some comma cells are German numbers and others are not, the
// larger share decides and the warning names the reading taken and the first line against it.
tFormChoice ChooseForm(
    std::string_view text, const std::vector<tDataLine>& lines, std::string_view sourceName)
{
    if (text.find(';') == std::string_view::npos || text.find(',') == std::string_view::npos)
        return {};
    tCommaEvidence evidence;
    for (const tDataLine& line : lines) {
        if (!line.Comment && line.Text.find(';') != std::string_view::npos)
            WeighCommaCells(line, evidence);
    }
    if (evidence.German == 0)
        return {};
    if (evidence.Other == 0)
        return { tCsvForm::German, {} };
    const bool german = evidence.German >= evidence.Other;
    const std::size_t against = german ? evidence.FirstOtherLine : evidence.FirstGermanLine;
    return { german ? tCsvForm::German : tCsvForm::Point,
        "CSVDatei: \"" + std::string(sourceName) + "\" ist nicht eindeutig; gelesen "
            + (german ? "mit ';' als Trenner und ',' als Dezimalzeichen"
                      : "mit ',' und ';' als Trenner und '.' als Dezimalzeichen")
            + " (Zeile " + std::to_string(against) + " passt nicht dazu)" };
}

void AddWarning(std::string& warnings, const std::string& warning)
{
    if (warning.empty())
        return;
    warnings = CutMessage(warnings.empty() ? warning : warnings + "; " + warning);
}

// A header's text as a name: without the single quotes of the scanner's strings.
std::string NameOfHeaderToken(const tCellToken& token)
{
    std::string_view name = token.Text;
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'')
        name = name.substr(1, name.size() - 2);
    return std::string(name);
}

// Every data line is a row; the first one's numbers (and empty cells) fix the columns, later
// lines take the tokens at the same positions. A first line without numbers before a line with
// numbers is a header: passed over, its texts at the columns' positions become the names. The
// first row whose cell count differs from the first row's, and the first quoted text in a row, are
// named in warnings, as is an ambiguous form.
tMatrixReadResult ReadFree(std::string_view text, std::string_view sourceName)
{
    std::vector<tDataLine> lines = DataLines(text);
    const tFormChoice choice = ChooseForm(text, lines, sourceName);
    const tCsvForm form = choice.Form;
    tCellTokens tokens;
    // A line beginning with ';' is a comment, except when ';' separates the cells of the file (the
    // German form, or other lines with ';' between cells) and it holds a number: then it is a row
    // whose first cell is empty.
    const bool semicolonCells
        = form == tCsvForm::German || std::ranges::any_of(lines, [](const tDataLine& line) {
              return !line.Comment && line.Text.find(';') != std::string_view::npos;
          });
    std::erase_if(lines, [&](const tDataLine& line) {
        if (!line.Comment)
            return false;
        if (!semicolonCells)
            return true;
        CellTokens(line.Text, form, tokens);
        return !HasNumber(tokens);
    });
    tCellTokens header;
    std::size_t first = 0;
    if (lines.size() >= 2) {
        CellTokens(lines[0].Text, form, header);
        if (!HasNumber(header)) {
            CellTokens(lines[1].Text, form, tokens);
            if (HasNumber(tokens))
                first = 1;
        }
    }
    if (lines.size() - first > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw tRangeError();
    const auto rows = static_cast<std::int32_t>(lines.size() - first);
    std::vector<std::size_t> positions;
    std::size_t firstCells = 0;
    if (rows > 0) {
        CellTokens(lines[first].Text, form, tokens);
        firstCells = CellCount(tokens);
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i].Kind == tCellToken::tKind::Number
                || tokens[i].Kind == tCellToken::tKind::Empty)
                positions.push_back(i);
        }
    }
    const auto cols = static_cast<std::int32_t>(positions.size());
    tMatrixReadResult result { true, trealmatrix(rows, cols), {}, {} };
    result.Names = tStringmatrix(1, cols);
    for (std::int32_t c = 1; c <= cols && first == 1; ++c) {
        const std::size_t position = positions[static_cast<std::size_t>(c) - 1];
        if (position < header.size() && header[position].Kind != tCellToken::tKind::Separator)
            result.Names(1, c) = NameOfHeaderToken(header[position]);
    }
    AddWarning(result.Warning, choice.Warning);
    const long double missing = MissingValue();
    std::string countWarning;
    std::string quotedWarning;
    for (std::int32_t r = 1; r <= rows; ++r) {
        const tDataLine& line = lines[first + static_cast<std::size_t>(r) - 1];
        CellTokens(line.Text, form, tokens);
        long double* row = result.Matrix.Row(r);
        for (std::int32_t c = 1; c <= cols; ++c) {
            const std::size_t position = positions[static_cast<std::size_t>(c) - 1];
            const bool inLine = position < tokens.size();
            const bool number = inLine && tokens[position].Kind == tCellToken::tKind::Number
                && tokens[position].Parsed;
            row[c] = number ? tokens[position].Value : missing;
            if (inLine && tokens[position].Quoted && quotedWarning.empty())
                quotedWarning = "CSVDatei: Zeile " + std::to_string(line.Number) + " von \""
                    + std::string(sourceName) + "\": der Text \"" + tokens[position].Text
                    + "\" ist keine Zahl und fehlt als Wert";
        }
        const std::size_t cells = CellCount(tokens);
        if (countWarning.empty() && cells != firstCells)
            countWarning = "CSVDatei: Zeile " + std::to_string(line.Number) + " von \""
                + std::string(sourceName) + "\" hat " + std::to_string(cells)
                + " Zellen, die erste Zeile " + std::to_string(firstCells);
    }
    AddWarning(result.Warning, countWarning);
    AddWarning(result.Warning, quotedWarning);
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
            return { false, trealmatrix(0, 0),
                "Conversion error with dataelement " + std::to_string(t), {} };
        }
        if (t >= cells.size())
            throw tRangeError();
        m(cells[t].Row, cells[t].Col) = value;
        if (mirror)
            m(cells[t].Col, cells[t].Row) = value;
    }
    return { true, std::move(m), {}, {} };
}

} // namespace

tFormatResult CsvWrite(const trealmatrix& m, std::string_view fileName, std::int32_t width,
    std::int32_t decimals, std::string_view textOption, tClipboardPort* clipboardPort)
{
    const char separator = ColumnSeparator(textOption);
    const char decimalSeparator = DecimalSeparator(textOption);
    const bool clipboard = IsClipboardName(fileName);
    std::string clipText;
    tBufferedFileWriter file;
    if (!clipboard && !file.Open(fileName))
        return WriteFailure(fileName);
    const auto append = [&](const char* text, std::size_t length) {
        if (clipboard)
            clipText.append(text, length);
        else
            file.Append(text, length);
    };
    char number[MatrixNumberBufferSize];
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c) {
            if (c > 1)
                append(&separator, 1);
            const std::size_t length
                = MatrixNumberInto(number, m(r, c), width, decimals, decimalSeparator);
            if (length > 0) {
                append(number, length);
            } else {
                const std::string text
                    = MatrixNumberText(m(r, c), width, decimals, decimalSeparator);
                append(text.data(), text.size());
            }
        }
        append(MatrixFileLineEnd.data(), MatrixFileLineEnd.size());
    }
    if (clipboard)
        return PutOnClipboard(clipboardPort, clipText);
    return file.Close() ? tFormatResult {} : WriteFailure(fileName);
}

tFormatResult StringCsvWrite(const tStringmatrix& m, std::string_view fileName,
    std::string_view textOption, tClipboardPort* clipboardPort)
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
    return Deliver(fileName, text, clipboardPort);
}

tMatrixReadResult CsvRead(std::string_view fileName, std::string_view format,
    tClipboardPort* clipboardPort, const tCheckpoint* checkpoint)
{
    tMatrixReadResult result { false, trealmatrix(0, 0), {}, {} };
    std::string ownedText; // the clipboard's text, or the file's bytes decoded
    std::optional<tFileContents> contents;
    std::string_view text;
    if (NameFold(fileName) == "CLIPBOARD") {
        const std::optional<std::string> clip
            = clipboardPort != nullptr ? clipboardPort->Text() : std::nullopt;
        if (!clip) {
            result.Message = "Clipboard has no simple text-contents/format ";
            return result;
        }
        ownedText = *clip;
        text = ownedText;
    } else {
        contents = ReadFileContents(fileName, &result.Message, checkpoint);
        if (!contents)
            return result;
        text = contents->View();
        // Plain ASCII needs no decoding; anything else is read as UTF-8 or Windows-1252.
        if (std::ranges::any_of(
                text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            ownedText = DecodeFileText(text);
            text = ownedText;
        }
    }
    const std::string shapeLetters = NameFold(TrimmedView(format));
    if (shapeLetters.empty())
        return ReadFree(text, fileName);
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(text)) {
        const std::string_view trimmed = TrimmedView(line);
        if (!trimmed.empty() && trimmed.front() != ';')
            lines.emplace_back(trimmed);
    }
    return ReadShaped(lines, shapeLetters);
}

} // namespace zelvora
