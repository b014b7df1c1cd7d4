// The scatterplot window ("Scatterplot"): its picture is drawn off screen at the window's size and
// kept for LIST GRAPH.
#pragma once

#include "picture_area.h"
#include "ui/graphics/scatterplot.h"

#include <QWidget>

namespace zelvora::gui {

class tScatterplotWindow : public QWidget {
    Q_OBJECT

public:
    explicit tScatterplotWindow(QWidget* parent = nullptr);

    // Takes the data and draws them; a message (German) when they cannot be drawn.
    std::string SetData(const trealmatrix& x, const trealmatrix& y, const trealmatrix* colours);
    void Repaint();
    bool HasPicture() const { return m_plot.HasData(); }
    const QImage& Image() const { return m_area->Image(); }

private:
    tScatterplot m_plot;
    tPictureArea* m_area = nullptr;
};

} // namespace zelvora::gui
