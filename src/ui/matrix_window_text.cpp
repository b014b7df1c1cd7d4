// Captions, header cells, window sizes and the terminal text of the matrix and scalar windows.
#include "ui/matrix_window_text.h"

#include <algorithm>

namespace zelvora {
namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

std::string PadLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::int32_t ClampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, INT32_MAX));
}

} // namespace

std::string CaptionNamePart(std::string_view caption)
{
    const std::size_t blank = caption.rfind(' ');
    return std::string(Trim(blank == std::string_view::npos ? caption : caption.substr(0, blank)));
}

std::string CornerText(std::int32_t rows, std::int32_t cols)
{
    return std::to_string(rows) + "x" + std::to_string(cols);
}

tWindowBounds GridWindowBounds(const tWindowBounds& current, const tClientSize& shelf,
    std::int32_t headerWidth, std::int32_t colWidth, std::int32_t rowHeight, std::int32_t rows,
    std::int32_t cols)
{
    const std::int64_t wanted = std::int64_t { headerWidth }
        + (std::int64_t { colWidth } + 1) * std::max(cols, 0) + 1 + 56;
    const std::int64_t wantedHeight = std::int64_t { rowHeight }
        + (std::int64_t { rowHeight } + 1) * std::max(rows, 0) + 1 + 56;
    tWindowBounds bounds = current;
    bounds.Width = ClampToInt32(std::min(std::int64_t { shelf.Width } - current.Left - 32, wanted));
    bounds.Height
        = ClampToInt32(std::min(std::int64_t { shelf.Height } - current.Top - 32, wantedHeight));
    return bounds;
}

tScalarWindowSize ScalarWindowSize(const std::vector<std::string>& names,
    const std::vector<std::int32_t>& otherColumnWidths, std::int32_t rowCount,
    std::int32_t rowHeight)
{
    std::size_t longest = 0;
    for (const std::string& name : names)
        longest = std::max(longest, name.size());
    tScalarWindowSize size;
    size.NameColumnWidth = ClampToInt32(6 * static_cast<std::int64_t>(longest) + 18);
    std::int64_t width = size.NameColumnWidth;
    for (std::int32_t columnWidth : otherColumnWidths)
        width += std::int64_t { columnWidth } + 1;
    size.GridWidth = ClampToInt32(width);
    size.GridHeight
        = ClampToInt32(4 + (std::int64_t { rowHeight } + 1) * std::max<std::int64_t>(rowCount, 0));
    size.ClientWidth = ClampToInt32(std::int64_t { size.GridWidth } + 14);
    size.ClientHeight = ClampToInt32(std::int64_t { size.GridHeight } + 8);
    return size;
}

std::vector<std::string> MatrixWindowLines(std::string_view caption, std::int32_t rows,
    std::int32_t cols, const tCellTextSource& cellText, std::int32_t maxRows, std::int32_t maxCols)
{
    const std::int32_t shownRows = std::clamp(rows, 0, std::max(maxRows, 0));
    const std::int32_t shownCols = std::clamp(cols, 0, std::max(maxCols, 0));
    const bool cutRows = shownRows < rows;
    const bool cutCols = shownCols < cols;

    // table[r][c]: row 0 and column 0 are the headers.
    std::vector<std::vector<std::string>> table(static_cast<std::size_t>(shownRows) + 1);
    table[0].push_back(CornerText(rows, cols));
    for (std::int32_t c = 1; c <= shownCols; ++c)
        table[0].push_back(std::to_string(c));
    for (std::int32_t r = 1; r <= shownRows; ++r) {
        auto& line = table[static_cast<std::size_t>(r)];
        line.push_back(std::to_string(r));
        for (std::int32_t c = 1; c <= shownCols; ++c)
            line.push_back(cellText(r, c));
    }

    // Column 0 fits its numbers; the data columns share the width of the widest, so that the
    // grid's columns line up as in a window.
    std::vector<std::size_t> widths(static_cast<std::size_t>(shownCols) + 1, 0);
    for (const auto& line : table) {
        for (std::size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].size());
    }
    const std::size_t dataWidth
        = widths.size() > 1 ? *std::max_element(widths.begin() + 1, widths.end()) : 0;
    std::fill(widths.begin() + 1, widths.end(), dataWidth);

    std::vector<std::string> lines { std::string(caption) };
    for (const auto& line : table) {
        std::string text = PadRight(line[0], widths[0]);
        for (std::size_t c = 1; c < line.size(); ++c)
            text += " " + PadLeft(line[c], widths[c]);
        if (cutCols)
            text += " ...";
        lines.push_back(std::move(text));
    }
    if (cutRows)
        lines.push_back("...");
    return lines;
}

std::vector<std::string> ScalarWindowLines(
    const std::vector<std::pair<std::string, std::string>>& rows)
{
    std::size_t width = 0;
    for (const auto& [name, value] : rows)
        width = std::max(width, name.size());
    std::vector<std::string> lines { std::string(ScalarWindowCaption) };
    for (const auto& [name, value] : rows)
        lines.push_back(PadRight(name, width) + "  " + value);
    return lines;
}

} // namespace zelvora
