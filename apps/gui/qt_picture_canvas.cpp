// Drawing primitives on a QImage: one-pixel pens, no smoothing, so that the picture shows the
// pixels the geometry computed.
#include "qt_picture_canvas.h"

#include "program_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace zelvora::gui {
namespace {

QColor ColourOf(tRgb colour)
{
    return QColor(colour.Red, colour.Green, colour.Blue);
}

// Coordinates held far outside any image, so that sizes and sums stay within int.
int Held(std::int32_t v)
{
    constexpr std::int32_t Limit = 1 << 24;
    return std::clamp(v, -Limit, Limit);
}

QRect RectOf(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    left = Held(left);
    top = Held(top);
    right = Held(right);
    bottom = Held(bottom);
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
        QSize(std::abs(right - left), std::abs(bottom - top)));
}

} // namespace

void tQtPictureCanvas::Begin(std::int32_t width, std::int32_t height, tRgb background)
{
    m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    m_image.fill(ColourOf(background));
}

void tQtPictureCanvas::Line(
    std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, tRgb pen)
{
    QPainter painter(&m_image);
    painter.setPen(QPen(ColourOf(pen), 0));
    painter.drawLine(Held(x0), Held(y0), Held(x1), Held(y1));
}

void tQtPictureCanvas::FillRect(
    std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, tRgb fill)
{
    QPainter painter(&m_image);
    painter.fillRect(RectOf(left, top, right, bottom), ColourOf(fill));
}

void tQtPictureCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
    std::int32_t bottom, tRgb pen, tRgb fill)
{
    QPainter painter(&m_image);
    painter.setPen(QPen(ColourOf(pen), 0));
    painter.setBrush(ColourOf(fill));
    const QRect box = RectOf(left, top, right, bottom);
    painter.drawEllipse(box.adjusted(0, 0, -1, -1)); // the outline stays inside the box
}

void tQtPictureCanvas::Text(
    std::int32_t x, std::int32_t y, std::string_view text, tRgb colour, tRgb background)
{
    QPainter painter(&m_image);
    QFont font("Tahoma");
    font.setPixelSize(10);
    painter.setFont(font);
    const QString shown = ToQString(text);
    const QFontMetrics metrics(font);
    const QRect box(x, y, metrics.horizontalAdvance(shown) + 2, metrics.height());
    painter.fillRect(box, ColourOf(background));
    painter.setPen(ColourOf(colour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace zelvora::gui
