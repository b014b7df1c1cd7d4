// RTF output: control words for fonts, colours and styles, text escaped byte by byte.
#include "text/rtf_writer.h"

#include <cstdio>

namespace zelvora {
namespace {

// Pictures are given a size in twips at 96 pixels per inch (1440 twips per inch).
constexpr std::int32_t TwipsPerPixel = 15;

std::string EscapedText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (byte >= 128 || byte < 32) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

tRtfWriter::tRtfWriter(std::vector<tRtfFont> fonts, std::vector<tRtfColour> colours)
    : m_fonts(std::move(fonts))
    , m_colours(std::move(colours))
{
}

std::string tRtfWriter::Header() const
{
    std::string header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        header += "{\\f" + std::to_string(i) + (m_fonts[i].Monospace ? "\\fmodern" : "\\froman")
            + " " + EscapedText(m_fonts[i].Name) + ";}";
    }
    header += "}\r\n{\\colortbl ;";
    for (const tRtfColour& colour : m_colours) {
        header += "\\red" + std::to_string(colour.Red) + "\\green" + std::to_string(colour.Green)
            + "\\blue" + std::to_string(colour.Blue) + ";";
    }
    header += "}\r\n";
    return header;
}

void tRtfWriter::Text(std::string_view text, const tRtfFormat& format)
{
    std::string group = "{\\f" + std::to_string(format.Font) + "\\cf"
        + std::to_string(format.Colour) + "\\fs" + std::to_string(format.HalfPoints)
        + (format.Bold ? "\\b" : "") + (format.Italic ? "\\i" : "") + " ";
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::string_view line
            = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
        group += EscapedText(line);
        if (end == std::string_view::npos)
            break;
        group += "\\par\r\n";
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    m_body += group + "}";
}

void tRtfWriter::EndParagraph()
{
    m_body += "\\par\r\n";
}

void tRtfWriter::Picture(std::string_view png, std::int32_t width, std::int32_t height)
{
    m_body += "{\\pict\\pngblip\\picw" + std::to_string(width) + "\\pich" + std::to_string(height)
        + "\\picwgoal" + std::to_string(width * TwipsPerPixel) + "\\pichgoal"
        + std::to_string(height * TwipsPerPixel) + "\r\n";
    static constexpr char digits[] = "0123456789abcdef";
    std::size_t column = 0;
    for (const char c : png) {
        const auto byte = static_cast<unsigned char>(c);
        m_body += digits[byte >> 4];
        m_body += digits[byte & 15];
        if (++column == 64) {
            m_body += "\r\n";
            column = 0;
        }
    }
    m_body += "}\\par\r\n";
}

std::string AppendRtfBody(std::string_view document, std::string_view body)
{
    const std::size_t start = document.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || document.compare(start, 6, "{\\rtf1") != 0)
        return {};
    const std::size_t close = document.find_last_of('}');
    if (close == std::string_view::npos)
        return {};
    return std::string(document.substr(0, close)) + std::string(body) + "}";
}

} // namespace zelvora
