// Shared pieces of the text matrix formats: file and clipboard access, lines and number texts.
#include "formats/matrix_text_io.h"

#include "language/scanner.h"
#include "text/paths.h"
#include "variables/number_format.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace zelvora {
namespace {

tClipboardPort* g_clipboard = nullptr;

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

void SetMatrixClipboard(tClipboardPort* clipboard)
{
    g_clipboard = clipboard;
}

tClipboardPort* MatrixClipboard()
{
    return g_clipboard;
}

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

std::optional<std::string> ReadWholeFile(std::string_view fileName)
{
    const std::filesystem::path path(LocalPath(fileName));
    std::error_code error;
    if (fileName.empty() || std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

int WriteWholeFile(std::string_view fileName, std::string_view bytes)
{
    const std::string path = LocalPath(fileName);
    if (path.empty())
        return 3;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return IoErrorNumber(errno);
    const std::size_t written
        = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    const int writeError = written == bytes.size() ? 0 : errno;
    const bool closed = std::fclose(file) == 0;
    if (written != bytes.size())
        return IoErrorNumber(writeError);
    return closed ? 0 : IoErrorNumber(errno);
}

tFormatResult WriteTextFile(std::string_view fileName, std::string_view bytes)
{
    if (WriteWholeFile(fileName, bytes) == 0)
        return {};
    return { false,
        CutMessage("Datei " + std::string(fileName) + " konnte nicht geschrieben werden") };
}

tFormatResult PutOnClipboard(std::string_view text)
{
    if (g_clipboard != nullptr && g_clipboard->SetText(text))
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

std::string MatrixNumberText(
    long double x, std::int32_t width, std::int32_t decimals, char decimalSeparator)
{
    std::string text = TextNumber(x, width, decimals);
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = decimalSeparator;
    return text;
}

bool ParsePointNumber(std::string_view text, long double* value)
{
    if (text.empty())
        return false;
    for (char c : text) {
        const bool allowed
            = (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
        if (!allowed)
            return false;
    }
    long double parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    *value = parsed;
    return true;
}

} // namespace zelvora
