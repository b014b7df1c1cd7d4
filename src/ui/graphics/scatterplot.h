// The scatterplot: y data against x data, row by row, each pair of rows in its own colour.
#pragma once

#include "numerics/matrix_types.h"
#include "ports/picture_canvas_port.h"

#include <cstdint>
#include <string>

namespace zelvora {

inline constexpr tRgb ScatterBackground { 255, 255, 255 };
inline constexpr tRgb ScatterAxisColour { 0, 0, 0 };
inline constexpr std::int32_t ScatterMargin = 2;
inline constexpr std::int32_t ScatterMarkSize = 2;
// Marks smaller than this are hard to see on today's screens.
inline constexpr std::int32_t MinimumVisibleMarkSize = 4;
inline constexpr tRgb ScatterLabelColour { 64, 64, 64 };
// The width and height the labels of the axes count per character and per line.
inline constexpr std::int32_t LabelCharWidth = 7;
inline constexpr std::int32_t LabelHeight = 12;

// The side of a mark in pixels of the picture: the specified 2 scaled by the screen's device pixel
// ratio, and at least MinimumVisibleMarkSize.
std::int32_t VisibleMarkSize(double devicePixelRatio);

// Where an axis crosses a span of pixels [first, last]: at the pixel of the data's zero when
// zero lies in the range, otherwise at the edge the zero lies beyond.
std::int32_t AxisPixel(long double zeroPixel, std::int32_t first, std::int32_t last);

// The smallest and largest number taken into the scales.
struct tDataRange {
    long double Min = 0;
    long double Max = 0;
    bool Empty = true;
};

class tScatterplot {
public:
    tScatterplot();

    // Takes x, y and the optional colour table (rows of red, green, blue, each 0..255). Returns
    // an empty text, or a message (German) why the data cannot be drawn; the former data stay
    // then. Rows pair up one to one, or one row with every row of the other matrix; data that
    // pair up in no way are taken and draw an empty picture.
    std::string SetData(const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours);
    bool HasData() const { return m_hasData; }
    // Whether the rows pair up and there is something to draw.
    bool Drawable() const;

    // Draws the picture of width x height pixels with marks of markSize pixels. Numbers that are
    // not finite or missing are left out of the ranges and the marks; a range of one value is
    // widened by one on each side, so that equal values sit in the middle. The axes stay inside
    // the picture (AxisPixel) and carry the ranges' ends as labels.
    void Draw(tPictureCanvasPort& canvas, std::int32_t width, std::int32_t height,
        std::int32_t markSize = MinimumVisibleMarkSize) const;

    const tDataRange& RangeX() const { return m_rangeX; }
    const tDataRange& RangeY() const { return m_rangeY; }
    // Colour i (from 0) of the table.
    tRgb Colour(std::int32_t i) const;
    std::int32_t ColourCount() const { return static_cast<std::int32_t>(m_colours.size()); }

private:
    trealmatrix m_x;
    trealmatrix m_y;
    std::vector<tRgb> m_colours;
    tDataRange m_rangeX;
    tDataRange m_rangeY;
    bool m_hasData = false;
};

} // namespace zelvora
