// A window that shows one picture, drawn off screen at the window's size and drawn again whenever
// the size changes (the scatterplot and the scree window).
#pragma once

#include "picture_area.h"

#include <QSize>
#include <QString>
#include <QWidget>

namespace zelvora::gui {

class tQtPictureCanvas;

class tPictureWindow : public QWidget {
public:
    // Draws the picture at the window's present size.
    void Repaint();
    const QImage& Image() const { return m_area->Image(); }

protected:
    tPictureWindow(const QString& title, QSize smallest, QSize size, QWidget* parent);
    // Draws the picture on the canvas at width x height pixels.
    virtual void Draw(tQtPictureCanvas& canvas, int width, int height) const = 0;

private:
    tPictureArea* m_area = nullptr;
};

} // namespace zelvora::gui
