// The scree window ("Screeplot"): the eigenvalues of a factor analysis against their number, drawn
// off screen at the window's size.
#pragma once

#include "picture_window.h"
#include "ui/graphics/scree_plot.h"

namespace zelvora::gui {

class tScreeWindow : public tPictureWindow {
    Q_OBJECT

public:
    explicit tScreeWindow(QWidget* parent = nullptr);

    // Takes the eigenvalues and the optional percentiles and draws them; a message (German) when
    // they cannot be drawn, and the former picture stays.
    std::string SetData(const trealmatrix& eigenvalues, const trealmatrix* percentiles);
    const tScreePlot& Plot() const { return m_plot; }

private:
    void Draw(tQtPictureCanvas& canvas, int width, int height) const override;

    tScreePlot m_plot;
};

} // namespace zelvora::gui
