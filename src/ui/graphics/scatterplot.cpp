// Scales, axes and marks of the scatterplot picture.
#include "ui/graphics/scatterplot.h"

#include "numerics/missing_values.h"
#include "ui/graphics/pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zelvora {
namespace {

// clang-format off
constexpr tRgb DefaultColours[] = {
    { 128, 0, 128 }, { 0, 0, 0 }, { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 128, 128, 0 },
    { 0, 128, 128 },
};
// clang-format on

bool Usable(long double value)
{
    return std::isfinite(value) && value != MissingNumber;
}

// Range over columns 1..cols of every row.
tDataRange RangeOf(const trealmatrix& m, std::int32_t cols)
{
    tDataRange range;
    for (std::int32_t row = 1; row <= m.Rows(); ++row) {
        for (std::int32_t col = 1; col <= cols; ++col) {
            const long double value = m(row, col);
            if (!Usable(value))
                continue;
            if (range.Empty || value < range.Min)
                range.Min = value;
            if (range.Empty || value > range.Max)
                range.Max = value;
            range.Empty = false;
        }
    }
    return range;
}

std::string NumberText(long double value)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%Lg", value);
    return buffer;
}

// The colour table's rows, or a message about the first unusable component.
std::string ReadColourTable(const trealmatrix& table, std::vector<tRgb>& colours)
{
    if (table.Rows() < 1 || table.Cols() < 3)
        return "Die Farbtabelle (dritte Matrix) braucht mindestens eine Zeile mit drei Spalten "
               "(rot, gr\xFCn, blau)";
    colours.clear();
    for (std::int32_t row = 1; row <= table.Rows(); ++row) {
        std::uint8_t parts[3] {};
        for (std::int32_t col = 1; col <= 3; ++col) {
            const long double rounded = std::nearbyint(table(row, col));
            if (!(rounded >= 0 && rounded <= 255))
                return "Farbtabelle: der Wert " + NumberText(table(row, col)) + " in Zeile "
                    + std::to_string(row) + ", Spalte " + std::to_string(col)
                    + " liegt nicht zwischen 0 und 255";
            parts[col - 1] = static_cast<std::uint8_t>(rounded);
        }
        colours.push_back({ parts[0], parts[1], parts[2] });
    }
    return {};
}

bool RowsPairUp(std::int32_t nx, std::int32_t ny)
{
    return nx * static_cast<std::int64_t>(ny) != 0 && (nx == ny || nx == 1 || ny == 1);
}

// Scale of a range onto span pixels; a range of one value is widened so that it sits in the middle.
long double ScaleOf(tDataRange& range, std::int32_t span)
{
    if (!(range.Max > range.Min)) {
        range.Min -= 1;
        range.Max += 1;
    }
    const long double scale = span / (range.Max - range.Min);
    return std::isfinite(scale) ? scale : 0;
}

std::int32_t TextWidth(const std::string& text)
{
    return LabelCharWidth * static_cast<std::int32_t>(text.size());
}

struct tPlotArea {
    std::int32_t X0, Y0, X1, Y1;
};

// The ends of both ranges beside the axes: the x range at the ends of the horizontal axis, the y
// range at the ends of the vertical one, each on the side of its axis that has room.
void DrawRangeLabels(tPictureCanvasPort& canvas, const tDataRange& x, const tDataRange& y,
    const tPlotArea& area, std::int32_t axisColumn, std::int32_t axisRow)
{
    const std::int32_t below = axisRow + 2;
    const std::int32_t xRow
        = below + LabelHeight <= area.Y1 ? below : std::max(axisRow - LabelHeight - 1, 0);
    const std::string xMin = NumberText(x.Min);
    const std::string xMax = NumberText(x.Max);
    canvas.Text(area.X0 + 1, xRow, xMin, ScatterLabelColour, ScatterBackground);
    canvas.Text(std::max(area.X1 - TextWidth(xMax) - 1, area.X0 + TextWidth(xMin) + 4), xRow, xMax,
        ScatterLabelColour, ScatterBackground);
    const std::string yMin = NumberText(y.Min);
    const std::string yMax = NumberText(y.Max);
    const std::int32_t widest = std::max(TextWidth(yMin), TextWidth(yMax));
    const std::int32_t yColumn = axisColumn + 3 + widest <= area.X1
        ? axisColumn + 3
        : std::max(axisColumn - 3 - widest, 0);
    // A y label that would sit on the x labels' band moves off it, towards the picture's middle.
    const bool sharesColumns = yColumn < area.X0 + TextWidth(xMin) + 4
        || yColumn + widest > area.X1 - TextWidth(xMax) - 4;
    const auto clear = [&](std::int32_t top, std::int32_t away) {
        return sharesColumns && std::abs(top - xRow) < LabelHeight ? xRow + away : top;
    };
    canvas.Text(
        yColumn, clear(area.Y0, LabelHeight + 1), yMax, ScatterLabelColour, ScatterBackground);
    canvas.Text(yColumn,
        clear(std::max(area.Y1 - LabelHeight, area.Y0 + LabelHeight), -LabelHeight - 1), yMin,
        ScatterLabelColour, ScatterBackground);
}

} // namespace

std::int32_t VisibleMarkSize(double devicePixelRatio)
{
    const double scaled = ScatterMarkSize * (devicePixelRatio > 0 ? devicePixelRatio : 1.0);
    return std::max(MinimumVisibleMarkSize, static_cast<std::int32_t>(std::lround(scaled)));
}

std::int32_t AxisPixel(long double zeroPixel, std::int32_t first, std::int32_t last)
{
    if (!(zeroPixel >= first))
        return first; // zero lies below the range, or the scale is not usable
    if (zeroPixel > last)
        return last;
    return ClampedPixel(zeroPixel);
}

tScatterplot::tScatterplot()
    : m_colours(std::begin(DefaultColours), std::end(DefaultColours))
{
}

std::string tScatterplot::SetData(
    const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours)
{
    std::vector<tRgb> table(std::begin(DefaultColours), std::end(DefaultColours));
    if (colours) {
        std::string refusal = ReadColourTable(*colours, table);
        if (!refusal.empty())
            return refusal;
    }
    const std::int32_t k = x.Cols();
    if (RowsPairUp(x.Rows(), y.Rows()) && y.Cols() < k)
        return "Die Y-Daten haben weniger Spalten (" + std::to_string(y.Cols())
            + ") als die X-Daten (" + std::to_string(k) + ")";
    m_x = x;
    m_y = y;
    m_colours = std::move(table);
    m_rangeX = RangeOf(x, k);
    m_rangeY = RangeOf(y, k);
    m_hasData = true;
    return {};
}

bool tScatterplot::Drawable() const
{
    return m_hasData && RowsPairUp(m_x.Rows(), m_y.Rows()) && m_x.Cols() > 0;
}

tRgb tScatterplot::Colour(std::int32_t i) const
{
    return m_colours[static_cast<std::size_t>(i) % m_colours.size()];
}

void tScatterplot::Draw(tPictureCanvasPort& canvas, std::int32_t width, std::int32_t height,
    std::int32_t markSize) const
{
    markSize = std::max(markSize, 1);
    width = std::max(width, 1);
    height = std::max(height, 1);
    canvas.Begin(width, height, ScatterBackground);
    if (!Drawable() || m_rangeX.Empty || m_rangeY.Empty)
        return;
    const std::int32_t x0 = ScatterMargin;
    const std::int32_t x1 = width - ScatterMargin;
    const std::int32_t y0 = ScatterMargin;
    const std::int32_t y1 = height - ScatterMargin;
    tDataRange rangeX = m_rangeX;
    tDataRange rangeY = m_rangeY;
    const long double sx = ScaleOf(rangeX, x1 - x0);
    const long double sy = ScaleOf(rangeY, y1 - y0);

    // A position p counted upwards from y0 lies at row y1 - p + y0 on the picture, so that the
    // largest value (p = y1) lands on the top margin and its mark stays on the picture.
    const auto row = [&](std::int32_t p) { return y1 - p + y0; };
    const std::int32_t ax = AxisPixel((0 - rangeX.Min) * sx + x0, x0, x1);
    const std::int32_t ay = AxisPixel((0 - rangeY.Min) * sy + y0, y0, y1);
    canvas.Line(x0, row(ay), x1, row(ay), ScatterAxisColour);
    canvas.Line(ax, row(y0), ax, row(y1), ScatterAxisColour);
    DrawRangeLabels(canvas, rangeX, rangeY, { x0, y0, x1, y1 }, ax, row(ay));

    const std::int32_t nx = m_x.Rows();
    const std::int32_t ny = m_y.Rows();
    const std::int32_t pairs = std::max(nx, ny);
    for (std::int32_t r = 1; r <= pairs; ++r) {
        const std::int32_t rx = nx == 1 ? 1 : r;
        const std::int32_t ry = ny == 1 ? 1 : r;
        const tRgb colour = Colour(r - 1);
        for (std::int32_t j = 1; j <= m_x.Cols(); ++j) {
            const long double xv = m_x(rx, j);
            const long double yv = m_y(ry, j);
            if (!Usable(xv) || !Usable(yv))
                continue;
            const std::int32_t px = ClampedPixel((xv - rangeX.Min) * sx + x0);
            const std::int32_t py = ClampedPixel((yv - rangeY.Min) * sy + y0);
            // The point is the mark's lower left corner; a mark at the picture's edge is moved
            // inwards so that it is drawn whole.
            const std::int32_t left = std::clamp(px, 0, std::max(width - markSize, 0));
            const std::int32_t top
                = std::clamp(row(py) - markSize, 0, std::max(height - markSize, 0));
            canvas.FillRect(left, top, left + markSize, top + markSize, colour);
        }
    }
}

} // namespace zelvora
