// SVG output of the drawing primitives. Pixel (x, y) covers the unit square from x to x + 1, so a
// one-pixel line runs through the pixel centres.
#include "ui/graphics/svg_canvas.h"

#include "text/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zelvora {
namespace {

std::string ColourText(tRgb colour)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", colour.Red, colour.Green, colour.Blue);
    return buffer;
}

std::string Centre(std::int32_t pixel)
{
    return std::to_string(pixel) + ".5";
}

// The distance between two coordinates, without overflow.
std::int64_t Span(std::int32_t a, std::int32_t b)
{
    return std::llabs(std::int64_t { b } - a);
}

// twice / 2 as "n" or "n.5".
std::string HalfText(std::int64_t twice)
{
    const std::string whole = std::to_string(twice / 2);
    if (twice % 2 == 0)
        return whole;
    return (twice < 0 && twice / 2 == 0 ? "-" : "") + whole + ".5";
}

std::string EscapedXml(std::string_view utf8)
{
    std::string text;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            text += "&amp;";
            break;
        case '<':
            text += "&lt;";
            break;
        case '>':
            text += "&gt;";
            break;
        default:
            text += c;
        }
    }
    return text;
}

} // namespace

void tSvgCanvas::Begin(std::int32_t width, std::int32_t height, tRgb background)
{
    m_width = width;
    m_height = height;
    m_body = "<rect width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height)
        + "\" fill=\"" + ColourText(background) + "\"/>\n";
}

void tSvgCanvas::Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, tRgb pen)
{
    m_body += "<line x1=\"" + Centre(x0) + "\" y1=\"" + Centre(y0) + "\" x2=\"" + Centre(x1)
        + "\" y2=\"" + Centre(y1) + "\" stroke=\"" + ColourText(pen) + "\"/>\n";
}

void tSvgCanvas::FillRect(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, tRgb fill)
{
    m_body += "<rect x=\"" + std::to_string(std::min(left, right)) + "\" y=\""
        + std::to_string(std::min(top, bottom)) + "\" width=\"" + std::to_string(Span(left, right))
        + "\" height=\"" + std::to_string(Span(top, bottom)) + "\" fill=\"" + ColourText(fill)
        + "\"/>\n";
}

void tSvgCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, tRgb pen, tRgb fill)
{
    const auto half = [](std::int32_t a, std::int32_t b) { return HalfText(Span(a, b)); };
    const auto mid
        = [](std::int32_t a, std::int32_t b) { return HalfText(std::int64_t { a } + b); };
    m_body += "<ellipse cx=\"" + mid(left, right) + "\" cy=\"" + mid(top, bottom) + "\" rx=\""
        + half(left, right) + "\" ry=\"" + half(top, bottom) + "\" stroke=\"" + ColourText(pen)
        + "\" fill=\"" + ColourText(fill) + "\"/>\n";
}

void tSvgCanvas::Text(
    std::int32_t x, std::int32_t y, std::string_view text, tRgb colour, tRgb background)
{
    constexpr std::int32_t CharWidth = 7;
    constexpr std::int32_t LineHeight = 11;
    FillRect(
        x, y, x + CharWidth * static_cast<std::int32_t>(text.size()), y + LineHeight, background);
    m_body += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y + LineHeight - 2)
        + "\" font-family=\"monospace\" font-size=\"10\" fill=\"" + ColourText(colour) + "\">"
        + EscapedXml(Cp1252ToUtf8(text)) + "</text>\n";
}

std::string tSvgCanvas::Document() const
{
    const std::string w = std::to_string(m_width);
    const std::string h = std::to_string(m_height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
        + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h
        + "\" shape-rendering=\"crispEdges\">\n" + m_body + "</svg>\n";
}

} // namespace zelvora
