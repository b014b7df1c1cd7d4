// Painting of lines, rectangles and ellipses into an RGB bitmap, clipped to its edges.
#include "ui/graphics/raster_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace zelvora {
namespace {

// Pictures larger than this (per side) are not made: the canvas stays empty.
constexpr std::int32_t MaxSide = 1 << 14;

} // namespace

void tRasterCanvas::Begin(std::int32_t width, std::int32_t height, tRgb background)
{
    const bool fits = width > 0 && height > 0 && width <= MaxSide && height <= MaxSide;
    m_picture.Width = fits ? width : 0;
    m_picture.Height = fits ? height : 0;
    m_picture.Rgb.assign(static_cast<std::size_t>(m_picture.Width) * m_picture.Height * 3, 0);
    FillRect(0, 0, m_picture.Width, m_picture.Height, background);
}

void tRasterCanvas::Plot(std::int32_t x, std::int32_t y, tRgb colour)
{
    if (x < 0 || y < 0 || x >= m_picture.Width || y >= m_picture.Height)
        return;
    const std::size_t at = (static_cast<std::size_t>(y) * m_picture.Width + x) * 3;
    m_picture.Rgb[at] = colour.Red;
    m_picture.Rgb[at + 1] = colour.Green;
    m_picture.Rgb[at + 2] = colour.Blue;
}

tRgb tRasterCanvas::Pixel(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= m_picture.Width || y >= m_picture.Height)
        return {};
    const std::size_t at = (static_cast<std::size_t>(y) * m_picture.Width + x) * 3;
    return { m_picture.Rgb[at], m_picture.Rgb[at + 1], m_picture.Rgb[at + 2] };
}

void tRasterCanvas::Line(
    std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, tRgb pen)
{
    // Far end points are first pulled onto the picture's neighbourhood along the line, so the
    // walk below stays short.
    const auto clampTo = [](std::int64_t v, std::int64_t limit) {
        return std::clamp<std::int64_t>(v, -limit, limit);
    };
    const std::int64_t limit = 2 * static_cast<std::int64_t>(MaxSide);
    std::int64_t ax = x0, ay = y0, bx = x1, by = y1;
    if (std::llabs(ax) > limit || std::llabs(ay) > limit || std::llabs(bx) > limit
        || std::llabs(by) > limit) {
        if (ax == bx) {
            ay = clampTo(ay, limit);
            by = clampTo(by, limit);
        } else if (ay == by) {
            ax = clampTo(ax, limit);
            bx = clampTo(bx, limit);
        } else {
            return; // a slanted line that far out does not cross the picture
        }
    }
    const std::int64_t dx = std::llabs(bx - ax);
    const std::int64_t dy = -std::llabs(by - ay);
    const std::int64_t sx = ax < bx ? 1 : -1;
    const std::int64_t sy = ay < by ? 1 : -1;
    std::int64_t error = dx + dy;
    while (true) {
        Plot(static_cast<std::int32_t>(ax), static_cast<std::int32_t>(ay), pen);
        if (ax == bx && ay == by)
            break;
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            ax += sx;
        }
        if (twice <= dx) {
            error += dx;
            ay += sy;
        }
    }
}

void tRasterCanvas::FillRect(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, tRgb fill)
{
    const std::int32_t x0 = std::max(std::min(left, right), 0);
    const std::int32_t x1 = std::min(std::max(left, right), m_picture.Width);
    const std::int32_t y0 = std::max(std::min(top, bottom), 0);
    const std::int32_t y1 = std::min(std::max(top, bottom), m_picture.Height);
    for (std::int32_t y = y0; y < y1; ++y) {
        for (std::int32_t x = x0; x < x1; ++x)
            Plot(x, y, fill);
    }
}

void tRasterCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, tRgb pen, tRgb fill)
{
    const double cx = (static_cast<double>(left) + right) / 2;
    const double cy = (static_cast<double>(top) + bottom) / 2;
    const double rx = std::abs(static_cast<double>(right) - left) / 2;
    const double ry = std::abs(static_cast<double>(bottom) - top) / 2;
    if (rx <= 0 || ry <= 0 || rx > MaxSide || ry > MaxSide)
        return;
    const std::int32_t x0 = std::max(std::min(left, right), 0);
    const std::int32_t x1 = std::min(std::max(left, right), m_picture.Width);
    const std::int32_t y0 = std::max(std::min(top, bottom), 0);
    const std::int32_t y1 = std::min(std::max(top, bottom), m_picture.Height);
    for (std::int32_t y = y0; y < y1; ++y) {
        for (std::int32_t x = x0; x < x1; ++x) {
            // Distance of the pixel centre from the centre, in radii.
            const double u = (x + 0.5 - cx) / rx;
            const double v = (y + 0.5 - cy) / ry;
            const double d = u * u + v * v;
            if (d <= 1)
                Plot(x, y, d > 0.5 ? pen : fill);
        }
    }
}

void tRasterCanvas::Text(
    std::int32_t x, std::int32_t y, std::string_view text, tRgb, tRgb background)
{
    constexpr std::int32_t CharWidth = 7;
    constexpr std::int32_t LineHeight = 11;
    FillRect(
        x, y, x + CharWidth * static_cast<std::int32_t>(text.size()), y + LineHeight, background);
}

} // namespace zelvora
