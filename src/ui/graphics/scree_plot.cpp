// Scales, lines, marks and legend of the scree picture.
#include "ui/graphics/scree_plot.h"

#include "numerics/missing_values.h"
#include "ui/graphics/pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelvora {
namespace {

constexpr std::int32_t CharWidth = 7;
constexpr std::int32_t TextHeight = 12;
constexpr std::int32_t MarginLeft = 52;
constexpr std::int32_t MarginRight = 14;
constexpr std::int32_t MarginTop = 24;
constexpr std::int32_t MarginBottom = 42;
constexpr std::int32_t SmallestArea = 20;
constexpr std::int32_t TickLength = 4;
constexpr std::int32_t DashLength = 6;
constexpr std::int32_t GapLength = 4;
// About this many steps of the eigenvalue scale fit the picture's height.
constexpr int ScaleSteps = 5;

const char* const EigenvalueLegend = "Eigenwerte";
const char* const PercentileLegend = "95. Perzentil der Zufallsdaten";
const char* const UnitLegend = "Eigenwert 1";

std::int32_t TextWidth(const std::string& text)
{
    return CharWidth * static_cast<std::int32_t>(text.size());
}

std::string ScaleText(long double value, long double step)
{
    // As many decimals as the step needs, and no "-0".
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9L));
    if (std::fabs(value) < step / 2)
        value = 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    return buffer;
}

// The smallest of 1, 2, 5 times a power of ten that is at least `raw`.
long double RoundStep(long double raw)
{
    const long double power = std::pow(10.0L, std::floor(std::log10(raw)));
    for (const long double factor : { 1.0L, 2.0L, 5.0L, 10.0L }) {
        if (factor * power >= raw * (1 - 1e-12L))
            return factor * power;
    }
    return 10 * power;
}

// The values as a column of numbers, or a message naming the first unusable one.
std::string ReadValues(const trealmatrix& m, const char* what, std::vector<long double>& values)
{
    if (m.Rows() != 1 && m.Cols() != 1)
        return std::string(what) + " m\xFCssen eine Zeile oder eine Spalte sein, nicht "
            + std::to_string(m.Rows()) + "x" + std::to_string(m.Cols());
    values.clear();
    for (std::int32_t i = 1; i <= m.Rows(); ++i) {
        for (std::int32_t j = 1; j <= m.Cols(); ++j) {
            if (!std::isfinite(m(i, j)) || m(i, j) == MissingNumber)
                return std::string(what) + ": Wert "
                    + std::to_string(static_cast<std::int32_t>(values.size()) + 1)
                    + " ist keine endliche Zahl";
            values.push_back(m(i, j));
        }
    }
    if (values.empty())
        return std::string(what) + " sind leer";
    return {};
}

void DashedLine(tPictureCanvasPort& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1,
    std::int32_t y1, tRgb pen)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length = std::hypot(dx, dy);
    if (length < 1) {
        canvas.Line(x0, y0, x1, y1, pen);
        return;
    }
    for (double at = 0; at < length; at += DashLength + GapLength) {
        const double end = std::min(at + DashLength, length);
        canvas.Line(ClampedPixel(x0 + dx * at / length), ClampedPixel(y0 + dy * at / length),
            ClampedPixel(x0 + dx * end / length), ClampedPixel(y0 + dy * end / length), pen);
    }
}

// A line two pixels wide.
void BoldLine(tPictureCanvasPort& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1,
    std::int32_t y1, tRgb pen)
{
    canvas.Line(x0, y0, x1, y1, pen);
    canvas.Line(x0, y0 + 1, x1, y1 + 1, pen);
}

void HollowSquare(tPictureCanvasPort& canvas, std::int32_t x, std::int32_t y, tRgb pen)
{
    const std::int32_t r = ScreeMarkRadius;
    canvas.FillRect(x - r, y - r, x + r + 1, y + r + 1, pen);
    canvas.FillRect(x - r + 2, y - r + 2, x + r - 1, y + r - 1, ScreeBackground);
}

void Dot(tPictureCanvasPort& canvas, std::int32_t x, std::int32_t y, tRgb colour)
{
    const std::int32_t r = ScreeMarkRadius;
    canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1, colour, colour);
}

// A series of values by their numbers: line pieces between neighbours, then a mark on each value.
template <typename tLine, typename tMark>
void DrawSeries(tPictureCanvasPort& canvas, const tScreePlot& plot, const tScreeLayout& area,
    const std::vector<long double>& values, tRgb colour, tLine line, tMark mark)
{
    const auto x
        = [&](std::size_t i) { return plot.NumberPixel(area, static_cast<std::int32_t>(i + 1)); };
    const auto y = [&](std::size_t i) { return tScreePlot::ValuePixel(area, values[i]); };
    for (std::size_t i = 1; i < values.size(); ++i)
        line(canvas, x(i - 1), y(i - 1), x(i), y(i), colour);
    for (std::size_t i = 0; i < values.size(); ++i)
        mark(canvas, x(i), y(i), colour);
}

void DrawLegend(tPictureCanvasPort& canvas, const tScreeLayout& area, bool percentiles)
{
    const std::int32_t sample = 22;
    const std::int32_t rows = percentiles ? 3 : 2;
    const std::int32_t width = sample + 12 + TextWidth(percentiles ? PercentileLegend : UnitLegend);
    const std::int32_t left = std::max(area.Right - width - 6, area.Left + 2);
    const std::int32_t top = area.Top + 6;
    const std::int32_t bottom = top + rows * (TextHeight + 4) + 4;
    canvas.FillRect(left, top, area.Right - 2, bottom, ScreeBackground);
    canvas.Line(left, top, area.Right - 3, top, ScreeGridColour);
    canvas.Line(left, bottom, area.Right - 3, bottom, ScreeGridColour);
    canvas.Line(left, top, left, bottom, ScreeGridColour);
    canvas.Line(area.Right - 3, top, area.Right - 3, bottom, ScreeGridColour);
    std::int32_t row = top + 4;
    const auto entry = [&](const char* text) {
        canvas.Text(left + sample + 10, row, text, ScreeLabelColour, ScreeBackground);
        const std::int32_t middle = row + TextHeight / 2;
        row += TextHeight + 4;
        return middle;
    };
    std::int32_t y = entry(EigenvalueLegend);
    BoldLine(canvas, left + 4, y, left + 4 + sample, y, ScreeEigenvalueColour);
    Dot(canvas, left + 4 + sample / 2, y, ScreeEigenvalueColour);
    if (percentiles) {
        y = entry(PercentileLegend);
        DashedLine(canvas, left + 4, y, left + 4 + sample, y, ScreePercentileColour);
        HollowSquare(canvas, left + 4 + sample / 2, y, ScreePercentileColour);
    }
    y = entry(UnitLegend);
    DashedLine(canvas, left + 4, y, left + 4 + sample, y, ScreeUnitLineColour);
}

} // namespace

std::string tScreePlot::SetData(const trealmatrix& eigenvalues, const trealmatrix* percentiles)
{
    std::vector<long double> values;
    std::string refusal = ReadValues(eigenvalues, "Die Eigenwerte", values);
    if (!refusal.empty())
        return refusal;
    std::vector<long double> lines;
    if (percentiles) {
        refusal = ReadValues(*percentiles, "Die Perzentile", lines);
        if (!refusal.empty())
            return refusal;
        if (lines.size() != values.size())
            return "Es braucht so viele Perzentile wie Eigenwerte: " + std::to_string(lines.size())
                + " Perzentile, " + std::to_string(values.size()) + " Eigenwerte";
    }
    m_eigenvalues = std::move(values);
    m_percentiles = std::move(lines);
    return {};
}

tScreeLayout tScreePlot::Layout(std::int32_t width, std::int32_t height) const
{
    tScreeLayout layout;
    layout.Left = std::min(MarginLeft, std::max(width - SmallestArea, 0) / 2);
    layout.Right = std::max(width - MarginRight, layout.Left + SmallestArea);
    layout.Top = std::min(MarginTop, std::max(height - SmallestArea, 0) / 2);
    layout.Bottom = std::max(height - MarginBottom, layout.Top + SmallestArea);
    long double lowest = 0;
    long double highest = 1;
    for (const std::vector<long double>* line : { &m_eigenvalues, &m_percentiles }) {
        for (const long double v : *line) {
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    }
    layout.Step = RoundStep((highest - lowest) / ScaleSteps);
    layout.Lowest = std::floor(lowest / layout.Step) * layout.Step;
    layout.Highest = std::ceil(highest / layout.Step) * layout.Step;
    const std::int32_t count = std::max<std::int32_t>(1, m_eigenvalues.size());
    const long double spacing = static_cast<long double>(layout.Right - layout.Left) / count;
    const std::int32_t label = TextWidth(std::to_string(count)) + CharWidth;
    for (const std::int32_t step : { 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000 }) {
        layout.NumberStep = step;
        if (spacing * step >= label)
            break;
    }
    return layout;
}

std::int32_t tScreePlot::NumberPixel(const tScreeLayout& layout, std::int32_t i) const
{
    const long double count = std::max<std::size_t>(1, m_eigenvalues.size());
    return ClampedPixel(layout.Left + (i - 0.5L) * (layout.Right - layout.Left) / count);
}

std::int32_t tScreePlot::ValuePixel(const tScreeLayout& layout, long double v)
{
    return ClampedPixel(layout.Bottom
        - (v - layout.Lowest) * (layout.Bottom - layout.Top) / (layout.Highest - layout.Lowest));
}

void tScreePlot::Draw(tPictureCanvasPort& canvas, std::int32_t width, std::int32_t height) const
{
    canvas.Begin(width, height, ScreeBackground);
    if (!HasData())
        return;
    const tScreeLayout area = Layout(width, height);
    // The eigenvalue scale: a grid line and a label at every step.
    const long double steps = std::round((area.Highest - area.Lowest) / area.Step);
    for (long double s = 0; s <= steps; ++s) {
        const long double value = area.Lowest + s * area.Step;
        const std::int32_t y = ValuePixel(area, value);
        canvas.Line(area.Left + 1, y, area.Right, y, ScreeGridColour);
        const std::string text = ScaleText(value, area.Step);
        canvas.Text(area.Left - TickLength - 2 - TextWidth(text), y - TextHeight / 2, text,
            ScreeLabelColour, ScreeBackground);
        canvas.Line(area.Left - TickLength, y, area.Left, y, ScreeAxisColour);
    }
    canvas.Line(area.Left, area.Top, area.Left, area.Bottom, ScreeAxisColour);
    canvas.Line(area.Left, area.Bottom, area.Right, area.Bottom, ScreeAxisColour);
    if (area.Lowest < 0)
        canvas.Line(
            area.Left, ValuePixel(area, 0), area.Right, ValuePixel(area, 0), ScreeAxisColour);
    // The numbers of the eigenvalues below the plotting area: the first and every NumberStep-th.
    const auto count = static_cast<std::int32_t>(m_eigenvalues.size());
    for (std::int32_t i = 1; i <= count; ++i) {
        if (i != 1 && i % area.NumberStep != 0)
            continue;
        const std::int32_t x = NumberPixel(area, i);
        canvas.Line(x, area.Bottom, x, area.Bottom + TickLength, ScreeAxisColour);
        const std::string text = std::to_string(i);
        canvas.Text(x - TextWidth(text) / 2, area.Bottom + TickLength + 2, text, ScreeLabelColour,
            ScreeBackground);
    }
    const std::string across = "Nummer des Eigenwerts";
    canvas.Text((area.Left + area.Right - TextWidth(across)) / 2,
        area.Bottom + TickLength + TextHeight + 8, across, ScreeLabelColour, ScreeBackground);
    canvas.Text(
        4, std::max(area.Top - TextHeight - 6, 0), "Eigenwert", ScreeLabelColour, ScreeBackground);

    const std::int32_t unit = ValuePixel(area, 1);
    DashedLine(canvas, area.Left + 1, unit, area.Right, unit, ScreeUnitLineColour);
    DrawSeries(canvas, *this, area, m_percentiles, ScreePercentileColour, DashedLine, HollowSquare);
    DrawSeries(canvas, *this, area, m_eigenvalues, ScreeEigenvalueColour, BoldLine, Dot);
    DrawLegend(canvas, area, !m_percentiles.empty());
}

} // namespace zelvora
