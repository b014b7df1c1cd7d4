// The rotating coordinate picture shared by the vector and cloud animation windows.
#include "ui/graphics/vector_animation.h"

#include "ui/graphics/pixels.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace zelvora {
namespace {

constexpr std::int32_t MinWorkColumns = 3;
constexpr std::int32_t LegendRowHeight = 12;
// Rows beyond this many are summed up in one line: a legend of a hundred thousand rows would be a
// picture of more than a million pixels' height that nobody reads.
constexpr std::int32_t LegendRowLimit = 1000;
constexpr tRgb LegendTextBackground { 127, 127, 127 };
constexpr tRgb LegendTextColour { 64, 0, 0 };
constexpr std::int32_t CloudMarkRadius = 2;
// Mode 1 turns once in the (x, y) plane by this many steps after every full turn.
constexpr long double IntermittentTurnSteps = 30;
// Mode 2 draws a new plane every this many steps; mode 3 every PlaneStretch steps.
constexpr std::int32_t RandomPlaneInterval = 10;
constexpr std::int32_t PlaneStretch = 50;

bool RowIsFinite(const trealmatrix& m, std::int32_t row)
{
    for (std::int32_t col = 1; col <= m.Cols(); ++col) {
        if (!std::isfinite(m(row, col)))
            return false;
    }
    return true;
}

std::uint8_t LoadingComponent(long double value, long double radius)
{
    const long double scaled = std::nearbyint((value / radius + 1) * 120);
    const long double clamped = std::isfinite(scaled) ? std::clamp(scaled, 0.0L, 255.0L) : 0.0L;
    return static_cast<std::uint8_t>(static_cast<int>(clamped) ^ 127);
}

} // namespace

tRgb PaletteColour(std::int32_t row)
{
    return { static_cast<std::uint8_t>(16 * (row % 16)), static_cast<std::uint8_t>(64 * (row % 4)),
        static_cast<std::uint8_t>(32 * (row % 8)) };
}

tRgb LoadingColour(long double a, long double b, long double c, long double radius)
{
    return { LoadingComponent(a, radius), LoadingComponent(b, radius),
        LoadingComponent(c, radius) };
}

tZeichnen::tZeichnen(tAnimationKind mark)
    : m_mark(mark)
{
    m_points.resize(1);
    m_colours.resize(1);
}

bool tZeichnen::AssignFactors(const trealmatrix& data, std::int32_t width, std::int32_t height)
{
    const bool wasRotating
        = m_state == tAnimationState::Rotating || m_state == tAnimationState::PauseRequested;
    m_data = data;
    const std::int32_t rows = data.Rows();
    m_work = trealmatrix(rows, std::max(data.Cols(), MinWorkColumns));
    long double largestSquare = 0;
    for (std::int32_t row = 1; row <= rows; ++row) {
        long double square = 0;
        for (std::int32_t col = 1; col <= data.Cols(); ++col) {
            m_work(row, col) = data(row, col);
            square += data(row, col) * data(row, col);
        }
        if (std::isfinite(square))
            largestSquare = std::max(largestSquare, square);
    }
    // A zero matrix would divide by a zero radius: its rows all sit at the origin.
    m_radius = largestSquare > 0 ? std::sqrt(largestSquare) : 1;
    m_xColumn = 1;
    m_yColumn = 2;
    m_zColumn = 3;
    m_points.assign(static_cast<std::size_t>(rows) + 1, std::nullopt);
    if (m_colourMode == tColourMode::FactorLoadings && data.Cols() < MinWorkColumns)
        m_colourMode = tColourMode::Palette;
    MakeColours();
    Resize(width, height);
    m_stopFlag = false;
    if (wasRotating)
        RestartLoop();
    else if (m_state == tAnimationState::StopRequested)
        m_state = tAnimationState::Idle;
    return wasRotating;
}

void tZeichnen::Resize(std::int32_t width, std::int32_t height)
{
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    m_half = static_cast<std::int32_t>(std::nearbyint(std::min(m_width, m_height) / 2.0L));
    m_size = 2 * m_half;
    Project();
}

void tZeichnen::MakeColours()
{
    m_colours.assign(static_cast<std::size_t>(m_data.Rows()) + 1, tRgb {});
    for (std::int32_t row = 1; row <= m_data.Rows(); ++row) {
        m_colours[static_cast<std::size_t>(row)] = m_colourMode == tColourMode::FactorLoadings
            ? LoadingColour(m_data(row, 1), m_data(row, 2), m_data(row, 3), m_radius)
            : PaletteColour(row);
    }
}

bool tZeichnen::SetColourMode(tColourMode mode)
{
    if (mode == tColourMode::FactorLoadings && m_data.Cols() < MinWorkColumns)
        return false;
    m_colourMode = mode;
    MakeColours();
    return true;
}

void tZeichnen::SetFineness(std::int32_t fineness)
{
    m_fineness = std::clamp(fineness, MinFineness, MaxFineness);
}

void tZeichnen::Project()
{
    for (std::int32_t row = 1; row <= m_work.Rows(); ++row) {
        std::optional<tScreenPoint> point;
        if (RowIsFinite(m_work, row)) {
            const auto x = PixelOf(m_half * m_work(row, m_xColumn) / m_radius + m_half);
            const auto y = PixelOf(m_half * m_work(row, m_yColumn) / m_radius + m_half);
            if (x && y)
                point = tScreenPoint { *x, m_size - *y };
        }
        m_points[static_cast<std::size_t>(row)] = point;
    }
}

std::optional<tScreenPoint> tZeichnen::ScreenPosition(std::int32_t row) const
{
    if (row < 1 || row >= static_cast<std::int32_t>(m_points.size()))
        return std::nullopt;
    return m_points[static_cast<std::size_t>(row)];
}

void tZeichnen::RotateWork(std::int32_t a, std::int32_t b, long double t)
{
    if (a < 1 || b < 1 || a > m_work.Cols() || b > m_work.Cols())
        return;
    const long double c = std::cos(t);
    const long double s = std::sin(t);
    for (std::int32_t row = 1; row <= m_work.Rows(); ++row) {
        const long double wa = m_work(row, a);
        const long double wb = m_work(row, b);
        m_work(row, a) = c * wa - s * wb;
        m_work(row, b) = c * wb + s * wa;
    }
}

void tZeichnen::RestartLoop()
{
    m_state = tAnimationState::Rotating;
    m_stepCount = 0;
    m_randomPick = 0;
    m_planeA = 1;
    m_planeB = 2;
}

void tZeichnen::RequestStart()
{
    if (m_state != tAnimationState::Idle && m_state != tAnimationState::Paused)
        return;
    m_stopFlag = false;
    RestartLoop();
}

void tZeichnen::RequestPause()
{
    if (m_state == tAnimationState::Rotating)
        m_state = tAnimationState::PauseRequested;
}

void tZeichnen::RequestStop()
{
    if (m_state == tAnimationState::Rotating)
        m_state = tAnimationState::StopRequested;
}

bool tZeichnen::Turn()
{
    if (m_state == tAnimationState::PauseRequested) {
        m_state = tAnimationState::Paused;
        return false;
    }
    if (m_state == tAnimationState::StopRequested) {
        m_state = tAnimationState::Idle;
        return false;
    }
    if (m_state != tAnimationState::Rotating)
        return false;
    m_stepCount = (m_stepCount + 1) % (m_fineness * 360);
    const long double c = DegreeStep / m_fineness;
    switch (m_rotationMode) {
    case tRotationMode::OnePlane:
        RotateWork(m_yColumn, m_zColumn, c);
        break;
    case tRotationMode::TwoPlanesIntermittent:
        if (m_stepCount == 0)
            RotateWork(m_xColumn, m_yColumn, IntermittentTurnSteps * c);
        else
            RotateWork(m_yColumn, m_zColumn, c);
        break;
    case tRotationMode::TwoPlanesRandom:
        if (m_stepCount % RandomPlaneInterval == 0)
            m_randomPick = m_random.IntegerDeviate(100);
        if (m_randomPick < 31)
            RotateWork(m_yColumn, m_zColumn, c);
        else if (m_randomPick < 68)
            RotateWork(m_xColumn, m_zColumn, c);
        else
            RotateWork(m_xColumn, m_yColumn, c);
        break;
    case tRotationMode::AllPlanesRandom: {
        const std::int32_t k = m_work.Cols();
        if (m_stepCount % PlaneStretch == 0) {
            m_planeA = 1 + static_cast<std::int32_t>(m_random.IntegerDeviate(k - 1));
            m_planeB
                = m_planeA + 1 + static_cast<std::int32_t>(m_random.IntegerDeviate(k - m_planeA));
        }
        const long double swing = std::sin(
            std::numbers::pi_v<long double> * (m_stepCount % PlaneStretch) / (PlaneStretch - 1));
        RotateWork(m_planeA, m_planeB, c * swing * swing);
        break;
    }
    }
    if (m_stopFlag) {
        m_state = tAnimationState::Idle;
        return false;
    }
    return true;
}

bool tZeichnen::Step()
{
    const bool going = Turn();
    Project();
    return going;
}

bool tZeichnen::Advance(std::int32_t steps)
{
    bool going = true;
    for (std::int32_t step = 0; step < steps && going; ++step)
        going = Turn();
    Project();
    return going;
}

void tZeichnen::DrawFrame(tPictureCanvasPort& canvas) const
{
    canvas.Begin(m_width, m_height, AnimationBackground);
    canvas.Line(0, m_half, m_size, m_half, AxisColour);
    canvas.Line(m_half, 0, m_half, m_size, AxisColour);
    for (std::int32_t row = 1; row < static_cast<std::int32_t>(m_points.size()); ++row) {
        const auto& point = m_points[static_cast<std::size_t>(row)];
        if (!point)
            continue;
        const tRgb colour = m_colours[static_cast<std::size_t>(row)];
        if (m_mark == tAnimationKind::Cloud)
            canvas.Ellipse(point->X - CloudMarkRadius, point->Y - CloudMarkRadius,
                point->X + CloudMarkRadius, point->Y + CloudMarkRadius, colour, colour);
        else
            canvas.Line(m_half, m_half, point->X, point->Y, colour);
    }
}

std::int32_t tZeichnen::LegendHeight() const
{
    return LegendRowHeight * (std::min(m_data.Rows(), LegendRowLimit) + 2);
}

void tZeichnen::DrawLegend(
    tPictureCanvasPort& canvas, std::int32_t width, std::int32_t height) const
{
    canvas.Begin(std::max(width, 1), std::max(height, 1), AnimationBackground);
    const std::int32_t shown = std::min(m_data.Rows(), LegendRowLimit);
    for (std::int32_t row = 1; row <= shown; ++row) {
        const std::int32_t top = LegendRowHeight * row;
        canvas.FillRect(11, top, 22, top + 11, m_colours[static_cast<std::size_t>(row)]);
        canvas.Text(25, top, std::to_string(row), LegendTextColour, LegendTextBackground);
    }
    if (m_data.Rows() > shown)
        canvas.Text(11, LegendRowHeight * (shown + 1), "+" + std::to_string(m_data.Rows() - shown),
            LegendTextColour, LegendTextBackground);
}

} // namespace zelvora
