// Formatted text as the program keeps it for demos and help: lines of runs, each run one piece of
// Windows-1252 text in one font style.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

struct tTextRun {
    std::string Text;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool HasColour = false;
    std::uint32_t Colour = 0; // 0xRRGGBB, used when HasColour
    std::int32_t HalfPoints = 0; // font size in half points; 0: the view's own size
    std::string Font; // font name; empty: the view's own font

    bool SameStyle(const tTextRun& other) const;
};

// One line: runs in order; an empty line has no runs.
using tRichLine = std::vector<tTextRun>;

struct tRichText {
    std::vector<tRichLine> Lines;
};

// The line's characters without formatting.
std::string PlainText(const tRichLine& line);
// The lines' characters joined with "\r\n".
std::string PlainText(const tRichText& text);
// A line of unformatted text.
tRichLine PlainRichLine(std::string_view text);

// Appends text to the line, merging it into the last run when the style is the same.
void AppendRun(tRichLine& line, tTextRun run);

// Removes count characters from position on (in the plain text), across runs; empty runs vanish.
void EraseCharacters(tRichLine& line, std::size_t position, std::size_t count);

// Removes leading and trailing characters up to the blank: of the first and last line that hold
// any other character, with the empty lines before and after them.
tRichText TrimmedRichText(tRichText text);
tRichLine TrimmedRichLine(tRichLine line);

// The text as an HTML fragment (UTF-8) for a rich-text view: one <p> per line, spans for the
// styles, characters escaped; blanks kept as they are (white-space: pre-wrap).
std::string RichTextToHtml(const tRichText& text);

} // namespace zelvora
