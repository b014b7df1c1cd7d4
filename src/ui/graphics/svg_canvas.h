// A canvas that writes its primitives as an SVG document (plain text, no library needed).
#pragma once

#include "ports/picture_canvas_port.h"

#include <string>

namespace zelvora {

class tSvgCanvas : public tPictureCanvasPort {
public:
    void Begin(std::int32_t width, std::int32_t height, tRgb background) override;
    void Line(
        std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, tRgb pen) override;
    void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
        tRgb fill) override;
    void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
        tRgb pen, tRgb fill) override;
    void Text(std::int32_t x, std::int32_t y, std::string_view text, tRgb colour,
        tRgb background) override;

    // The whole document (UTF-8), closed.
    std::string Document() const;

private:
    std::string m_body;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

} // namespace zelvora
