// A canvas that paints its primitives into a bitmap, for picture files and the listing where no
// window system draws. Text is not painted (no font is at hand); its background box is.
#pragma once

#include "ports/picture_canvas_port.h"
#include "ports/picture_port.h"

namespace zelvora {

class tRasterCanvas : public tPictureCanvasPort {
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

    const tPicture& Picture() const { return m_picture; }
    // The colour of pixel (x, y); black outside the picture.
    tRgb Pixel(std::int32_t x, std::int32_t y) const;

private:
    void Plot(std::int32_t x, std::int32_t y, tRgb colour);
    tPicture m_picture;
};

} // namespace zelvora
