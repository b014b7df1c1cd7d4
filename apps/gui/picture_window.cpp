// The picture window lays out its picture area and redraws it at every new size.
#include "picture_window.h"

#include "qt_picture_canvas.h"

#include <QVBoxLayout>

namespace zelvora::gui {

tPictureWindow::tPictureWindow(const QString& title, QSize smallest, QSize size, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(title);
    m_area = new tPictureArea;
    m_area->setMinimumSize(smallest);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_area);
    resize(size);
    connect(m_area, &tPictureArea::Resized, this, [this] { Repaint(); });
}

void tPictureWindow::Repaint()
{
    tQtPictureCanvas canvas;
    Draw(canvas, m_area->width(), m_area->height());
    m_area->SetImage(canvas.Image());
}

} // namespace zelvora::gui
