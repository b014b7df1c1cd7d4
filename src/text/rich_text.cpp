// Formatted text: plain views, trimming, marker removal and HTML for rich-text views.
#include "text/rich_text.h"

#include "text/text_encoding.h"

#include <algorithm>
#include <cstdio>

namespace zelvora {

namespace {

bool IsTrimmedAway(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Characters up to the blank at the front of the line removed; true when something else is left.
bool TrimLineFront(tRichLine& line)
{
    const std::string plain = PlainText(line);
    std::size_t count = 0;
    while (count < plain.size() && IsTrimmedAway(plain[count]))
        ++count;
    EraseCharacters(line, 0, count);
    return !line.empty();
}

bool TrimLineBack(tRichLine& line)
{
    const std::string plain = PlainText(line);
    std::size_t end = plain.size();
    while (end > 0 && IsTrimmedAway(plain[end - 1]))
        --end;
    EraseCharacters(line, end, plain.size() - end);
    return !line.empty();
}

std::string EscapedHtml(std::string_view text)
{
    std::string html;
    for (char c : text) {
        switch (c) {
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '&':
            html += "&amp;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\t':
            html += "    ";
            break;
        default:
            html += c;
        }
    }
    return Cp1252ToUtf8(html);
}

std::string RunStyle(const tTextRun& run)
{
    std::string style;
    if (run.Bold)
        style += "font-weight:bold;";
    if (run.Italic)
        style += "font-style:italic;";
    if (run.Underline)
        style += "text-decoration:underline;";
    if (run.HasColour) {
        char colour[16];
        std::snprintf(colour, sizeof colour, "#%06x", static_cast<unsigned>(run.Colour & 0xFFFFFF));
        style += std::string("color:") + colour + ";";
    }
    if (run.HalfPoints > 0)
        style += "font-size:" + std::to_string(run.HalfPoints / 2)
            + (run.HalfPoints % 2 ? ".5" : "") + "pt;";
    if (!run.Font.empty())
        style += "font-family:'" + EscapedHtml(run.Font) + "';";
    return style;
}

} // namespace

bool tTextRun::SameStyle(const tTextRun& other) const
{
    return Bold == other.Bold && Italic == other.Italic && Underline == other.Underline
        && HasColour == other.HasColour && (!HasColour || Colour == other.Colour)
        && HalfPoints == other.HalfPoints && Font == other.Font;
}

std::string PlainText(const tRichLine& line)
{
    std::string text;
    for (const tTextRun& run : line)
        text += run.Text;
    return text;
}

std::string PlainText(const tRichText& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.Lines.size(); ++i) {
        if (i > 0)
            plain += "\r\n";
        plain += PlainText(text.Lines[i]);
    }
    return plain;
}

tRichLine PlainRichLine(std::string_view text)
{
    tRichLine line;
    if (!text.empty()) {
        tTextRun run;
        run.Text = text;
        line.push_back(std::move(run));
    }
    return line;
}

void AppendRun(tRichLine& line, tTextRun run)
{
    if (run.Text.empty())
        return;
    if (!line.empty() && line.back().SameStyle(run))
        line.back().Text += run.Text;
    else
        line.push_back(std::move(run));
}

void EraseCharacters(tRichLine& line, std::size_t position, std::size_t count)
{
    std::size_t start = 0; // plain-text position of the current run
    for (tTextRun& run : line) {
        const std::size_t end = start + run.Text.size();
        if (count > 0 && position < end) {
            const std::size_t from = position - start;
            const std::size_t taken = std::min(count, run.Text.size() - from);
            run.Text.erase(from, taken);
            count -= taken;
            position += taken;
        }
        start = end;
    }
    std::erase_if(line, [](const tTextRun& run) { return run.Text.empty(); });
}

tRichLine TrimmedRichLine(tRichLine line)
{
    if (TrimLineFront(line))
        TrimLineBack(line);
    return line;
}

tRichText TrimmedRichText(tRichText text)
{
    std::vector<tRichLine>& lines = text.Lines;
    std::size_t first = 0;
    while (first < lines.size() && !TrimLineFront(lines[first]))
        ++first;
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(first));
    while (!lines.empty() && !TrimLineBack(lines.back()))
        lines.pop_back();
    return text;
}

std::string RichTextToHtml(const tRichText& text)
{
    std::string html;
    for (const tRichLine& line : text.Lines) {
        html += "<p style=\"margin:0;white-space:pre-wrap\">";
        for (const tTextRun& run : line) {
            const std::string style = RunStyle(run);
            if (style.empty())
                html += EscapedHtml(run.Text);
            else
                html += "<span style=\"" + style + "\">" + EscapedHtml(run.Text) + "</span>";
        }
        if (line.empty())
            html += "&nbsp;";
        html += "</p>";
    }
    return html;
}

} // namespace zelvora
