// The scree window ("Screeplot"): the eigenvalues of a factor analysis against their number, drawn
// off screen at the window's size.
#pragma once

#include "picture_area.h"
#include "ui/graphics/scree_plot.h"

#include <QWidget>

namespace zelvora::gui {

class tScreeWindow : public QWidget {
    Q_OBJECT

public:
    explicit tScreeWindow(QWidget* parent = nullptr);

    // Takes the eigenvalues and the optional percentiles and draws them; a message (German) when
    // they cannot be drawn, and the former picture stays.
    std::string SetData(const trealmatrix& eigenvalues, const trealmatrix* percentiles);
    void Repaint();
    const tScreePlot& Plot() const { return m_plot; }
    const QImage& Image() const { return m_area->Image(); }

private:
    tScreePlot m_plot;
    tPictureArea* m_area = nullptr;
};

} // namespace zelvora::gui
