// The scree window redraws its picture whenever its size changes.
#include "scree_window.h"

#include "qt_picture_canvas.h"

namespace zelvora::gui {

tScreeWindow::tScreeWindow(QWidget* parent)
    : tPictureWindow(
        "Screeplot", QSize(120, 90), QSize(ScreePictureWidth, ScreePictureHeight), parent)
{
}

std::string tScreeWindow::SetData(const trealmatrix& eigenvalues, const trealmatrix* percentiles)
{
    std::string refusal = m_plot.SetData(eigenvalues, percentiles);
    if (refusal.empty())
        Repaint();
    return refusal;
}

void tScreeWindow::Draw(tQtPictureCanvas& canvas, int width, int height) const
{
    m_plot.Draw(canvas, width, height);
}

} // namespace zelvora::gui
