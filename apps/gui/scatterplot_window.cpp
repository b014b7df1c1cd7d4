// The scatterplot window redraws its picture whenever its size changes.
#include "scatterplot_window.h"

#include "qt_picture_canvas.h"

#include <QVBoxLayout>

namespace zelvora::gui {

tScatterplotWindow::tScatterplotWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle("Scatterplot");
    m_area = new tPictureArea;
    m_area->setMinimumSize(60, 60);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_area);
    resize(480, 360);
    connect(m_area, &tPictureArea::Resized, this, [this] { Repaint(); });
}

std::string tScatterplotWindow::SetData(
    const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours)
{
    std::string refusal = m_plot.SetData(x, y, colours);
    if (refusal.empty())
        Repaint();
    return refusal;
}

void tScatterplotWindow::Repaint()
{
    tQtPictureCanvas canvas;
    m_plot.Draw(canvas, m_area->width(), m_area->height(), VisibleMarkSize(devicePixelRatioF()));
    m_area->SetImage(canvas.Image());
}

} // namespace zelvora::gui
