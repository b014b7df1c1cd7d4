// The scree picture of a factor analysis: the eigenvalues against their number, beside the line
// of the random data's percentiles from a parallel analysis and the line of eigenvalue 1.
#pragma once

#include "numerics/matrix_types.h"
#include "ports/picture_canvas_port.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvora {

inline constexpr std::int32_t ScreePictureWidth = 480;
inline constexpr std::int32_t ScreePictureHeight = 360;
inline constexpr tRgb ScreeBackground { 255, 255, 255 };
inline constexpr tRgb ScreeAxisColour { 0, 0, 0 };
inline constexpr tRgb ScreeGridColour { 225, 225, 225 };
inline constexpr tRgb ScreeEigenvalueColour { 0, 60, 170 };
inline constexpr tRgb ScreePercentileColour { 200, 30, 30 };
inline constexpr tRgb ScreeUnitLineColour { 110, 110, 110 };
inline constexpr tRgb ScreeLabelColour { 40, 40, 40 };
inline constexpr std::int32_t ScreeMarkRadius = 3;

// Where the picture puts its plotting area and its scales.
struct tScreeLayout {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0; // the plotting area's pixels
    long double Lowest = 0, Highest = 0; // the eigenvalue scale from Bottom up to Top
    long double Step = 1; // between the marked values of the eigenvalue scale
    std::int32_t NumberStep = 1; // every how many numbers the horizontal scale is marked
};

class tScreePlot {
public:
    // Takes the eigenvalues (a row or column, in their order) and optionally the percentiles of
    // the random data (as many). Returns an empty text, or a message (German) why they cannot be
    // drawn; the former data stay then. Numbers that are not finite or missing are refused.
    std::string SetData(const trealmatrix& eigenvalues, const trealmatrix* percentiles);
    bool HasData() const { return !m_eigenvalues.empty(); }
    const std::vector<long double>& Eigenvalues() const { return m_eigenvalues; }
    const std::vector<long double>& Percentiles() const { return m_percentiles; }

    // The plotting area of a width x height picture: room for the scales' labels on the left
    // and below; the eigenvalue scale spans 0 (or the lowest value below it) to 1 (or the highest
    // value above it), widened to whole steps.
    tScreeLayout Layout(std::int32_t width, std::int32_t height) const;
    // The pixel of eigenvalue number i (from 1) across, and of value v up, in that layout.
    std::int32_t NumberPixel(const tScreeLayout& layout, std::int32_t i) const;
    static std::int32_t ValuePixel(const tScreeLayout& layout, long double v);

    // Draws the picture: grid and scales, the dashed line of eigenvalue 1, the percentiles as a
    // dashed line with hollow squares, the eigenvalues as a solid line with filled dots, a legend.
    void Draw(tPictureCanvasPort& canvas, std::int32_t width, std::int32_t height) const;

private:
    std::vector<long double> m_eigenvalues;
    std::vector<long double> m_percentiles; // empty when none were given
};

} // namespace zelvora
