// Shared pieces of the text matrix formats: file and clipboard access, lines and number texts.
#include "formats/matrix_text_io.h"

#include "lexicon/scanner.h"
#include "numerics/decimal_text.h"
#include "text/paths.h"
#include "text/replacing_file.h"
#include "variables/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zelvora {
namespace {

// Input/output error numbers of the run-time error, by the system's error.
int IoErrorNumber(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return 5;
    default:
        return 101;
    }
}

} // namespace

bool IsClipboardName(std::string_view fileName)
{
    return NameFold(fileName) == "CLIP";
}

std::string LocalPath(std::string_view fileName)
{
    return ForwardSlashes(fileName);
}

std::string_view TrimmedView(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

std::string CutMessage(std::string message)
{
    if (message.size() > MaxFormatMessageLength)
        message.resize(MaxFormatMessageLength);
    return message;
}

std::optional<tFileContents> ReadFileContents(
    std::string_view fileName, std::string* problem, const tCheckpoint* checkpoint)
{
    tFileFault fault = tFileFault::None;
    std::optional<tFileContents> contents
        = tFileContents::Read(LocalPath(fileName), &fault, checkpoint);
    if (!contents && problem != nullptr)
        *problem = CutMessage(FileFaultText(fault, fileName));
    return contents;
}

std::optional<std::string> ReadWholeFile(
    std::string_view fileName, std::string* problem, const tCheckpoint* checkpoint)
{
    const std::optional<tFileContents> contents = ReadFileContents(fileName, problem, checkpoint);
    if (!contents)
        return std::nullopt;
    return std::string(contents->View());
}

int WriteWholeFile(std::string_view fileName, std::string_view bytes)
{
    const std::string path = LocalPath(fileName);
    if (path.empty())
        return 3;
    const int error = ReplaceFileContents(path, bytes);
    return error == 0 ? 0 : IoErrorNumber(error);
}

std::string CouldNotOpenMessage(std::string_view fileName)
{
    return CutMessage(FileFaultText(tFileFault::CannotOpen, fileName));
}

tFormatResult WriteFailure(std::string_view fileName)
{
    return { false,
        CutMessage("Datei " + std::string(fileName) + " konnte nicht geschrieben werden") };
}

tFormatResult WriteTextFile(std::string_view fileName, std::string_view bytes)
{
    if (WriteWholeFile(fileName, bytes) == 0)
        return {};
    return WriteFailure(fileName);
}

bool tBufferedFileWriter::Open(std::string_view fileName)
{
    const std::string path = LocalPath(fileName);
    m_file.reset();
    if (!path.empty())
        m_file = std::make_unique<tReplacingFile>(path);
    m_used = 0;
    return m_file && m_file->IsOpen();
}

void tBufferedFileWriter::Append(const char* bytes, std::size_t length)
{
    while (length > 0) {
        if (m_used == m_buffer.size())
            Flush();
        const std::size_t part = std::min(length, m_buffer.size() - m_used);
        std::memcpy(m_buffer.data() + m_used, bytes, part);
        m_used += part;
        bytes += part;
        length -= part;
    }
}

void tBufferedFileWriter::Flush()
{
    if (m_file && m_used > 0)
        m_file->Write(std::string_view(m_buffer.data(), m_used));
    m_used = 0;
}

bool tBufferedFileWriter::Close()
{
    if (!m_file || !m_file->IsOpen())
        return false;
    Flush();
    const bool committed = m_file->Commit();
    m_file.reset();
    return committed;
}

tFormatResult PutOnClipboard(tClipboardPort* clipboard, std::string_view text)
{
    if (clipboard != nullptr && clipboard->SetText(text))
        return {};
    return { false,
        "Keine Zwischenablage verf\xFC"
        "gbar" };
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

namespace {

// The shortest count of significant digits (2 to 21) whose exponent text reads back as x: 21 digits
// always do for a 64-bit significand, and a count that does stays good with more digits, so the
// count is searched by halving.
int ExactSignificantDigits(long double x)
{
    constexpr int MostNeeded = 21;
    int low = 2;
    int high = MostNeeded;
    char printed[64];
    while (low < high) {
        const int k = low + (high - low) / 2;
        const int length = std::snprintf(printed, sizeof printed, "%.*LE", k - 1, x);
        long double back = 0;
        const bool exact = length > 0 && static_cast<std::size_t>(length) < sizeof printed
            && ReadDecimal(std::string_view(printed, static_cast<std::size_t>(length)), back)
                == tDecimalRead::Number
            && back == x;
        if (exact)
            high = k;
        else
            low = k + 1;
    }
    return low;
}

// The exponent text of TextNumber for a finite x with k significant digits: sign or blank, the
// digits with the point after the first, "E", the exponent's sign and at least four digits, padded
// on the left to padTo; 0 when it cannot be printed.
std::size_t ExponentTextInto(
    char* buffer, long double x, int k, std::size_t padTo, char decimalSeparator)
{
    char printed[64];
    const int length = std::snprintf(printed, sizeof printed, "%.*LE", k - 1, std::fabs(x));
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof printed)
        return 0;
    const char* e
        = static_cast<const char*>(std::memchr(printed, 'E', static_cast<std::size_t>(length)));
    if (e == nullptr)
        return 0;
    const char* exponent = e + 1;
    const bool negativeExponent = *exponent == '-';
    if (*exponent == '-' || *exponent == '+')
        ++exponent;
    const std::size_t exponentDigits = static_cast<std::size_t>(printed + length - exponent);
    const std::size_t zeros = exponentDigits < 4 ? 4 - exponentDigits : 0;
    const std::size_t mantissa = static_cast<std::size_t>(e - printed);
    const std::size_t textLength = 1 + mantissa + 2 + zeros + exponentDigits;
    const std::size_t pad = padTo > textLength ? padTo - textLength : 0;
    char* out = buffer;
    std::memset(out, ' ', pad);
    out += pad;
    *out++ = x < 0 ? '-' : ' ';
    std::memcpy(out, printed, mantissa);
    if (char* point = static_cast<char*>(std::memchr(out, '.', mantissa)))
        *point = decimalSeparator;
    out += mantissa;
    *out++ = 'E';
    *out++ = negativeExponent ? '-' : '+';
    std::memset(out, '0', zeros);
    out += zeros;
    std::memcpy(out, exponent, exponentDigits);
    out += exponentDigits;
    return static_cast<std::size_t>(out - buffer);
}

} // namespace

std::string MatrixNumberText(
    long double x, std::int32_t width, std::int32_t decimals, char decimalSeparator)
{
    if (decimals == ExactDecimals) {
        char buffer[MatrixNumberBufferSize];
        const std::size_t length = MatrixNumberInto(buffer, x, width, decimals, decimalSeparator);
        if (length > 0)
            return std::string(buffer, length);
        decimals = -2; // an infinity or a NaN has no digits to keep
    }
    std::string text = TextNumber(x, width, decimals);
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = decimalSeparator;
    return text;
}

std::size_t MatrixNumberInto(
    char* buffer, long double x, std::int32_t width, std::int32_t decimals, char decimalSeparator)
{
    if (decimals >= 0 || !std::isfinite(x))
        return 0;
    constexpr std::int32_t MaxSignificant = 18;
    constexpr std::int32_t MaxWidth = 255;
    const std::size_t padTo = static_cast<std::size_t>(std::clamp(width, 0, MaxWidth));
    if (decimals == ExactDecimals)
        return ExponentTextInto(buffer, x, ExactSignificantDigits(x), padTo, decimalSeparator);
    const auto k
        = static_cast<int>(std::clamp<std::int64_t>(std::int64_t { width } - 8, 2, MaxSignificant));
    return ExponentTextInto(buffer, x, k, padTo, decimalSeparator);
}

bool ParsePointNumber(std::string_view text, long double* value)
{
    long double parsed = 0;
    if (ReadDecimal(text, parsed) != tDecimalRead::Number)
        return false;
    *value = parsed;
    return true;
}

} // namespace zelvora
