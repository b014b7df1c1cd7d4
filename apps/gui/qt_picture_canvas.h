// The picture port painted with QPainter into an image that a graphics window shows.
#pragma once

#include "ports/picture_canvas_port.h"

#include <QImage>

namespace zelvora::gui {

class tQtPictureCanvas : public tPictureCanvasPort {
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

    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

} // namespace zelvora::gui
