// A small RTF writer for the documents the program saves: paragraphs of runs in a few fonts and
// colours, bold and italic, and PNG pictures. Text is Windows-1252, as the program keeps it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

struct tRtfFont {
    std::string Name;
    bool Monospace = false; // the family a reader falls back to without the font
};

struct tRtfColour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
};

// Font and colour are indexes into the writer's tables; colour 0 is the reader's automatic colour,
// table entries count from 1.
struct tRtfFormat {
    std::int32_t Font = 0;
    std::int32_t Colour = 0;
    std::int32_t HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
};

class tRtfWriter {
public:
    tRtfWriter(std::vector<tRtfFont> fonts, std::vector<tRtfColour> colours);

    // Appends text in the format; each line break ("\r\n", "\n" or "\r") ends a paragraph.
    void Text(std::string_view text, const tRtfFormat& format);
    void EndParagraph();
    // A PNG picture of width x height pixels, shown at 96 pixels per inch, in its own paragraph.
    void Picture(std::string_view png, std::int32_t width, std::int32_t height);

    // The header with the font and colour tables.
    std::string Header() const;
    // Everything written so far, without header and closing brace.
    const std::string& Body() const { return m_body; }
    // The whole document.
    std::string Document() const { return Header() + m_body + "}"; }

private:
    std::vector<tRtfFont> m_fonts;
    std::vector<tRtfColour> m_colours;
    std::string m_body;
};

// The document with body inserted before its final closing brace: appending to an RTF file keeps
// it one readable document. A text that is no RTF document gets nothing (empty result).
std::string AppendRtfBody(std::string_view document, std::string_view body);

} // namespace zelvora
