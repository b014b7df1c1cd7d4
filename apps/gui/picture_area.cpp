// The image is painted at the top left corner; the rest of the area keeps the window colour.
#include "picture_area.h"

#include <QPainter>

namespace zelvora::gui {

tPictureArea::tPictureArea(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void tPictureArea::SetImage(const QImage& image)
{
    m_image = image;
    update();
}

void tPictureArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void tPictureArea::resizeEvent(QResizeEvent*)
{
    emit Resized();
}

void tPictureArea::mouseDoubleClickEvent(QMouseEvent*)
{
    emit DoubleClicked();
}

} // namespace zelvora::gui
