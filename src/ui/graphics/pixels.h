// Pixel coordinates from computed positions: rounded to nearest (ties to even), never beyond the
// range that a canvas can take.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace zelvora {

// Positions further out than this lie far outside every drawing area.
inline constexpr long double PixelLimit = 1 << 24;

// The rounded position; nothing for a number that is not finite or lies beyond the limit.
inline std::optional<std::int32_t> PixelOf(long double position)
{
    if (!std::isfinite(position) || std::fabs(position) > PixelLimit)
        return std::nullopt;
    return static_cast<std::int32_t>(std::nearbyint(position));
}

// The rounded position, held to the limit (a line through a far point still runs the same way
// across the picture); 0 for a number that is not finite.
inline std::int32_t ClampedPixel(long double position)
{
    if (std::isnan(position))
        return 0;
    if (position > PixelLimit)
        return static_cast<std::int32_t>(PixelLimit);
    if (position < -PixelLimit)
        return -static_cast<std::int32_t>(PixelLimit);
    return static_cast<std::int32_t>(std::nearbyint(position));
}

} // namespace zelvora
