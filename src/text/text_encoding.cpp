// Windows-1252 <-> UTF-8 conversion.
#include "text/text_encoding.h"

#include <array>
#include <cstdint>

namespace zelvora {
namespace {

// Code points of bytes 128..159 in Windows-1252; 0 marks an unassigned byte.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, //
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178, //
};

char32_t CodePointOf(unsigned char byte)
{
    if (byte >= 128 && byte < 160) {
        const char32_t cp = HighControls[byte - 128];
        return cp == 0 ? 0xFFFD : cp;
    }
    return byte;
}

char ToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t k = 0; k < HighControls.size(); ++k) {
        if (HighControls[k] == cp && cp != 0)
            return static_cast<char>(128 + k);
    }
    return '?';
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> minimum = { 0, 0, 0x80, 0x800, 0x10000 };
    if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) {
            out += text[i];
            ++i;
        } else {
            out += ToCp1252(cp);
            i += length;
        }
    }
    return out;
}

bool IsUtf8WithNonAscii(std::string_view text)
{
    bool nonAscii = false;
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(text, i, cp);
        if (length == 0)
            return false;
        nonAscii = nonAscii || length > 1;
        i += length;
    }
    return nonAscii;
}

std::string DecodeFileText(std::string_view bytes)
{
    return IsUtf8WithNonAscii(bytes) ? Utf8ToCp1252(bytes) : std::string(bytes);
}

} // namespace zelvora
