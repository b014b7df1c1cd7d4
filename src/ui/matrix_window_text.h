// What the matrix and scalar windows show, independent of a toolkit: captions, header cells,
// window sizes, the copy menu, and a window's content as text lines for a terminal.
#pragma once

#include "ports/shelf_port.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvora {

// Sizes of a new matrix window's grid, in pixels: data columns are the copy layout's CellWidth
// times 7 wide, column 0 is 36, rows are 16 high.
inline constexpr std::int32_t GridPixelsPerCellChar = 7;
inline constexpr std::int32_t GridHeaderColumnWidth = 36;
inline constexpr std::int32_t GridRowHeight = 16;
inline constexpr std::string_view ScalarWindowCaption = "Skalare Variable";

// The name part of a caption: the text up to its last blank, trimmed ("A 2x3" gives "A"); a
// caption without a blank is taken whole.
std::string CaptionNamePart(std::string_view caption);

// Header cells of a grid with rows x cols data cells: the corner shows "rows" "x" "cols", column 0
// of row r shows r and row 0 of column c shows c.
std::string CornerText(std::int32_t rows, std::int32_t cols);

// The bounds of a matrix window after its grid was laid out: left and top stay; the width is
// headerWidth + (colWidth + 1) * cols + 57 and the height rowHeight + (rowHeight + 1) * rows + 57,
// each limited to the shelf's client area minus the window's position minus 32.
tWindowBounds GridWindowBounds(const tWindowBounds& current, const tClientSize& shelf,
    std::int32_t headerWidth, std::int32_t colWidth, std::int32_t rowHeight, std::int32_t rows,
    std::int32_t cols);

// Sizes of the scalar window: column 0 is 6 pixels per character of the longest name plus 18 wide;
// the grid is column 0 plus each further column's width + 1 wide and 4 plus each row's height + 1
// high; the client area adds 14 to the width and 8 to the height.
struct tScalarWindowSize {
    std::int32_t NameColumnWidth = 0;
    std::int32_t GridWidth = 0;
    std::int32_t GridHeight = 0;
    std::int32_t ClientWidth = 0;
    std::int32_t ClientHeight = 0;
};
tScalarWindowSize ScalarWindowSize(const std::vector<std::string>& names,
    const std::vector<std::int32_t>& otherColumnWidths, std::int32_t rowCount,
    std::int32_t rowHeight);

// The copy menu of a matrix window: each item applies a scheme to the copy layout (scheme 0: the
// layout as it is) and copies the variable.
struct tCopyMenuItem {
    std::string_view Caption;
    std::int32_t Scheme;
};
inline constexpr std::array<tCopyMenuItem, 9> CopyMenuItems { {
    { "Kopieren", 0 },
    { "--> Zelvora", 1 },
    { "--> Office", 2 },
    { "--> Excel", 7 },
    { "--> (user)", 3 },
    { "-->compressed", 9 },
    { "--> TeX", 10 },
    { "--> Pari/GP", 11 },
    { "--> SPSS", 12 },
} };

// A matrix window as text: the caption, then the grid with its header row and column; column 0 is
// left-aligned to its widest text, the data columns right-aligned to the widest shown data text.
// Only the first maxRows rows and maxCols columns are asked for; a cut is marked by "..." in the
// header row or column. Cells come from cellText(row, col).
using tCellTextSource = std::function<std::string(std::int32_t row, std::int32_t col)>;
std::vector<std::string> MatrixWindowLines(std::string_view caption, std::int32_t rows,
    std::int32_t cols, const tCellTextSource& cellText, std::int32_t maxRows, std::int32_t maxCols);

// The scalar window as text: its caption, then one line per row with the names left-aligned to
// the longest name, two blanks and the value.
std::vector<std::string> ScalarWindowLines(
    const std::vector<std::pair<std::string, std::string>>& rows);

} // namespace zelvora
