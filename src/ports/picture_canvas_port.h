// A drawing surface that takes the primitives of the graphics windows: the desktop paints them,
// the console writes them to SVG or rasterises them, tests record them.
#pragma once

#include <cstdint>
#include <string_view>

namespace zelvora {

struct tRgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    bool operator==(const tRgb&) const = default;
};

// Pixel coordinates from the top left corner; x grows to the right, y downwards. Rectangles are
// half-open: they cover the pixels left..right-1 and top..bottom-1.
class tPictureCanvasPort {
public:
    virtual ~tPictureCanvasPort() = default;
    // Starts a new picture of width x height pixels filled with the background colour.
    virtual void Begin(std::int32_t width, std::int32_t height, tRgb background) = 0;
    // A one-pixel line between both end points, both included.
    virtual void Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, tRgb pen)
        = 0;
    virtual void FillRect(
        std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, tRgb fill)
        = 0;
    // An ellipse inscribed in the rectangle, outlined with pen and filled with fill.
    virtual void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
        std::int32_t bottom, tRgb pen, tRgb fill)
        = 0;
    // Text (Windows-1252) with its top left corner at (x, y), on a background box.
    virtual void Text(
        std::int32_t x, std::int32_t y, std::string_view text, tRgb colour, tRgb background)
        = 0;
};

} // namespace zelvora
