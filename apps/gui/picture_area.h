// A plain drawing surface of the graphics windows: shows an image and reports its size changes and
// double clicks.
#pragma once

#include <QImage>
#include <QWidget>

namespace zelvora::gui {

class tPictureArea : public QWidget {
    Q_OBJECT

public:
    explicit tPictureArea(QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    const QImage& Image() const { return m_image; }

signals:
    void Resized();
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

} // namespace zelvora::gui
