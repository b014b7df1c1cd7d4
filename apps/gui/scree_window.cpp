// The scree window redraws its picture whenever its size changes.
#include "scree_window.h"

#include "qt_picture_canvas.h"

#include <QVBoxLayout>

namespace zelvora::gui {

tScreeWindow::tScreeWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle("Screeplot");
    m_area = new tPictureArea;
    m_area->setMinimumSize(120, 90);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_area);
    resize(ScreePictureWidth, ScreePictureHeight);
    connect(m_area, &tPictureArea::Resized, this, [this] { Repaint(); });
}

std::string tScreeWindow::SetData(const trealmatrix& eigenvalues, const trealmatrix* percentiles)
{
    std::string refusal = m_plot.SetData(eigenvalues, percentiles);
    if (refusal.empty())
        Repaint();
    return refusal;
}

void tScreeWindow::Repaint()
{
    tQtPictureCanvas canvas;
    m_plot.Draw(canvas, m_area->width(), m_area->height());
    m_area->SetImage(canvas.Image());
}

} // namespace zelvora::gui
