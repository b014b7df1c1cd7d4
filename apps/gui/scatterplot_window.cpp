// The scatterplot window redraws its picture whenever its size changes.
#include "scatterplot_window.h"

#include "qt_picture_canvas.h"

namespace zelvora::gui {

tScatterplotWindow::tScatterplotWindow(QWidget* parent)
    : tPictureWindow("Scatterplot", QSize(60, 60), QSize(480, 360), parent)
{
}

std::string tScatterplotWindow::SetData(
    const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours)
{
    std::string refusal = m_plot.SetData(x, y, colours);
    if (refusal.empty())
        Repaint();
    return refusal;
}

void tScatterplotWindow::Draw(tQtPictureCanvas& canvas, int width, int height) const
{
    m_plot.Draw(canvas, width, height, VisibleMarkSize(devicePixelRatioF()));
}

} // namespace zelvora::gui
