// The drawing class of the vector and cloud animations: a coordinate matrix whose rows turn in the
// planes of its columns, projected onto the drawing area as lines from the origin or small circles.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/random_matrices.h"
#include "ports/graphics_port.h"
#include "ports/picture_canvas_port.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zelvora {

enum class tAnimationState : std::uint8_t {
    Idle = 0,
    Rotating = 1,
    PauseRequested = 3,
    Paused = 4,
    StopRequested = 5,
};

// The items of the rotation-mode list, in list order.
enum class tRotationMode : std::int32_t {
    OnePlane = 0, // "1 Ebene"
    TwoPlanesIntermittent = 1, // "2 Ebenen intermitt"
    TwoPlanesRandom = 2, // "2 Ebenen random"
    AllPlanesRandom = 3, // "alle Ebenen random"
};

// The items of the colour list: "palette" and "Faktorloadings".
enum class tColourMode : std::int32_t { Palette = 0, FactorLoadings = 1 };

inline constexpr tRgb AnimationBackground { 192, 192, 192 };
inline constexpr tRgb AxisColour { 0, 0, 0 };
inline constexpr std::int32_t DefaultFineness = 100;
inline constexpr std::int32_t MinFineness = 1;
inline constexpr std::int32_t MaxFineness = 1000;
// One degree in radians as the rotation step uses it, divided by the fineness.
inline constexpr long double DegreeStep = 0.01745L;

struct tScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const tScreenPoint&) const = default;
};

class tZeichnen {
public:
    explicit tZeichnen(tAnimationKind mark);

    // Takes over a new matrix as the window's "assign factors" does: a running rotation goes on
    // with the new data (true), otherwise the caller draws one frame (false). Rows with a number
    // that is not finite are not drawn; a matrix of fewer than three columns turns as if padded
    // with zero columns; a zero matrix shows every row at the origin.
    bool AssignFactors(const trealmatrix& data, std::int32_t width, std::int32_t height);
    // The drawing area changed: the projection scale follows it.
    void Resize(std::int32_t width, std::int32_t height);

    // Recolours the rows. The factor-loading colours need three columns: with fewer the mode is
    // refused (false) and the colours stay.
    bool SetColourMode(tColourMode mode);
    tColourMode ColourMode() const { return m_colourMode; }
    void SetRotationMode(tRotationMode mode) { m_rotationMode = mode; }
    tRotationMode RotationMode() const { return m_rotationMode; }
    // Clamped to 1..1000.
    void SetFineness(std::int32_t fineness);
    std::int32_t Fineness() const { return m_fineness; }
    void SetSeed(std::uint32_t seed) { m_random.SetSeed(seed); }

    // The rotation loop, driven by the window one step at a time. A start request (from idle or
    // paused) clears the stop flag and restarts the step counter.
    void RequestStart();
    void RequestPause();
    void RequestStop();
    // What a double click on the legend does: the loop ends at its next step while it is set.
    void ToggleStopFlag() { m_stopFlag = !m_stopFlag; }
    // One step: handles pending requests, turns the work matrix and projects it. False when the
    // loop has ended (the state says why).
    bool Step();
    // Up to steps steps, projecting only after the last (the frames between are not drawn).
    // False when the loop has ended.
    bool Advance(std::int32_t steps);

    void DrawFrame(tPictureCanvasPort& canvas) const;
    // The legend: a colour square and the row number per row.
    void DrawLegend(tPictureCanvasPort& canvas, std::int32_t width, std::int32_t height) const;
    // Height the legend needs for all rows.
    std::int32_t LegendHeight() const;

    tAnimationState State() const { return m_state; }
    bool StopFlag() const { return m_stopFlag; }
    std::int32_t RowCount() const { return m_data.Rows(); }
    const trealmatrix& Work() const { return m_work; }
    long double Radius() const { return m_radius; }
    std::int32_t Half() const { return m_half; }
    std::int32_t Size() const { return m_size; }
    tRgb RowColour(std::int32_t row) const { return m_colours.at(static_cast<std::size_t>(row)); }
    // Where row (1..n) is drawn; nothing for a row that cannot be drawn.
    std::optional<tScreenPoint> ScreenPosition(std::int32_t row) const;
    // Turns every row of the work matrix in the plane of columns a and b by angle t.
    void RotateWork(std::int32_t a, std::int32_t b, long double t);

private:
    // One step without the projection.
    bool Turn();
    void Project();
    void MakeColours();
    void RestartLoop();

    tAnimationKind m_mark;
    trealmatrix m_data;
    trealmatrix m_work; // at least three columns
    std::vector<std::optional<tScreenPoint>> m_points; // slot 0 unused
    std::vector<tRgb> m_colours; // slot 0 unused
    long double m_radius = 1;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_half = 0;
    std::int32_t m_size = 0;
    std::int32_t m_xColumn = 1;
    std::int32_t m_yColumn = 2;
    std::int32_t m_zColumn = 3;
    tColourMode m_colourMode = tColourMode::Palette;
    tRotationMode m_rotationMode = tRotationMode::OnePlane;
    std::int32_t m_fineness = DefaultFineness;
    tAnimationState m_state = tAnimationState::Idle;
    bool m_stopFlag = false;
    std::int32_t m_stepCount = 0;
    std::uint32_t m_randomPick = 0;
    std::int32_t m_planeA = 1;
    std::int32_t m_planeB = 2;
    tRandomGenerator m_random;
};

// Palette colour of row i: RGB(16 (i mod 16), 64 (i mod 4), 32 (i mod 8)).
tRgb PaletteColour(std::int32_t row);
// Colour of a row from its first three loadings, scaled by the radius.
tRgb LoadingColour(long double a, long double b, long double c, long double radius);

} // namespace zelvora
