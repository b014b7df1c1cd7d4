// The listing's blocks and their RTF and HTML forms.
#include "ui/listing_document.h"

#include "text/text_encoding.h"

#include <cstdio>

namespace zelvora {
namespace {

// Fonts and colours in the order of the RTF tables: Times New Roman 0, Lucida Console 1; navy 1,
// teal 2, black 3.
constexpr std::int32_t TextFont = 0;
constexpr std::int32_t CodeFont = 1;

std::int32_t RtfColourIndex(tTextStyle style)
{
    switch (style) {
    case tTextStyle::Command:
        return 1;
    case tTextStyle::Table:
        return 2;
    case tTextStyle::Heading:
    case tTextStyle::Italic:
    case tTextStyle::Comment:
        return 3;
    case tTextStyle::Normal:
        break;
    }
    return 0;
}

tRtfWriter ListingWriter()
{
    return tRtfWriter({ { "Times New Roman", false }, { "Lucida Console", true } },
        { { 0, 0, 128 }, { 0, 128, 128 }, { 0, 0, 0 } });
}

void WriteBlocks(tRtfWriter& writer, const tListingDocument& listing, const tPngEncoder& encode)
{
    for (const tListingBlock& block : listing.Blocks()) {
        if (block.Picture) {
            const std::string png = encode ? encode(*block.Picture) : std::string();
            if (!png.empty())
                writer.Picture(png, block.Picture->Width, block.Picture->Height);
            continue;
        }
        const tListingLook look = ListingLook(block.Style);
        writer.Text(block.Text,
            { look.Monospace ? CodeFont : TextFont, RtfColourIndex(block.Style), look.HalfPoints,
                look.Bold, look.Italic });
        writer.EndParagraph();
    }
}

std::string Base64(std::string_view bytes)
{
    static constexpr char alphabet[]
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size())
            group |= std::uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (i + 2 < bytes.size())
            group |= std::uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        out += alphabet[(group >> 18) & 63];
        out += alphabet[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[group & 63] : '=';
    }
    return out;
}

std::string HtmlEscaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string CssOf(tTextStyle style)
{
    const tListingLook look = ListingLook(style);
    char colour[16];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", look.Red, look.Green, look.Blue);
    std::string css = std::string("font-family:'") + look.FontName + "',"
        + (look.Monospace ? "monospace" : "serif")
        + ";font-size:" + std::to_string(look.HalfPoints / 2) + "pt";
    if (style != tTextStyle::Normal)
        css += std::string(";color:") + colour;
    if (look.Bold)
        css += ";font-weight:bold";
    if (look.Italic)
        css += ";font-style:italic";
    return css;
}

} // namespace

void tListingDocument::AppendLines(std::string_view text, tTextStyle style)
{
    m_blocks.push_back({ style, std::string(text), std::nullopt });
}

void tListingDocument::addBitmap(const tPicture& picture)
{
    m_blocks.push_back({ tTextStyle::Table, std::string(), picture });
}

std::string tListingDocument::PlainText() const
{
    std::string text;
    for (std::size_t i = 0; i < m_blocks.size(); ++i) {
        if (i > 0)
            text += TextLineBreak;
        text += m_blocks[i].Text;
    }
    return text;
}

tListingLook ListingLook(tTextStyle style)
{
    switch (style) {
    case tTextStyle::Command:
        return { "Lucida Console", true, 0, 0, 128, 20, false, false };
    case tTextStyle::Heading:
        return { "Times New Roman", false, 0, 0, 0, 24, true, false };
    case tTextStyle::Italic:
        return { "Times New Roman", false, 0, 0, 0, 20, false, true };
    case tTextStyle::Comment:
        return { "Times New Roman", false, 0, 0, 0, 20, false, false };
    case tTextStyle::Table:
        return { "Lucida Console", true, 0, 128, 128, 18, false, false };
    case tTextStyle::Normal:
        break;
    }
    // 12 pixels high at 96 pixels per inch: 9 points.
    return { "Times New Roman", false, 0, 0, 0, 18, false, false };
}

std::string ListingRtfBody(const tListingDocument& listing, const tPngEncoder& encode)
{
    tRtfWriter writer = ListingWriter();
    WriteBlocks(writer, listing, encode);
    return writer.Body();
}

std::string ListingRtf(const tListingDocument& listing, const tPngEncoder& encode)
{
    tRtfWriter writer = ListingWriter();
    WriteBlocks(writer, listing, encode);
    return writer.Document();
}

std::string ListingHtml(
    const tListingDocument& listing, const tPngEncoder& encode, std::string_view title)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>"
        + HtmlEscaped(Cp1252ToUtf8(title))
        + "</title>\n<style>pre{margin:0;white-space:pre}</style>\n</head>\n<body>\n";
    for (const tListingBlock& block : listing.Blocks()) {
        if (block.Picture) {
            const std::string png = encode ? encode(*block.Picture) : std::string();
            if (!png.empty()) {
                html += "<p><img alt=\"\" width=\"" + std::to_string(block.Picture->Width)
                    + "\" height=\"" + std::to_string(block.Picture->Height)
                    + "\" src=\"data:image/png;base64," + Base64(png) + "\"></p>\n";
            }
            continue;
        }
        html += "<pre style=\"" + CssOf(block.Style) + "\">" + HtmlEscaped(Cp1252ToUtf8(block.Text))
            + "</pre>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

} // namespace zelvora
