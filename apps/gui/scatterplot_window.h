// The scatterplot window ("Scatterplot"): its picture is drawn off screen at the window's size and
// kept for LIST GRAPH.
#pragma once

#include "picture_window.h"
#include "ui/graphics/scatterplot.h"

namespace zelvora::gui {

class tScatterplotWindow : public tPictureWindow {
    Q_OBJECT

public:
    explicit tScatterplotWindow(QWidget* parent = nullptr);

    // Takes the data and draws them; a message (German) when they cannot be drawn.
    std::string SetData(const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours);
    bool HasPicture() const { return m_plot.HasData(); }

private:
    void Draw(tQtPictureCanvas& canvas, int width, int height) const override;

    tScatterplot m_plot;
};

} // namespace zelvora::gui
