// The vector animation ("Zelvora's Vector Animation") and the cloud animation ("Zelvora's Cloud
// Animation"): a turning coordinate picture with its legend and controls.
#pragma once

#include "picture_area.h"
#include "ui/graphics/vector_animation.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace zelvora::gui {

class tAnimationWindow : public QWidget {
    Q_OBJECT

public:
    explicit tAnimationWindow(tAnimationKind kind, QWidget* parent = nullptr);

    // Takes a new matrix: a running rotation goes on with it, otherwise one frame is drawn.
    void AssignFactors(const trealmatrix& data, std::uint32_t seed);
    // Draws the current frame again.
    void Repaint();

    const tZeichnen& Drawing() const { return m_drawing; }
    const QImage& FrameImage() const { return m_area->Image(); }
    QCheckBox* RotateBox() const { return m_rotate; }
    QComboBox* RotationModes() const { return m_rotationModes; }
    QComboBox* ColourModes() const { return m_colourModes; }
    QSpinBox* Fineness() const { return m_fineness; }
    tPictureArea* Legend() const { return m_legend; }
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Tick();
    void ChooseColourMode(int index);
    void DrawLegend();
    void ShowStatus(const QString& text);

    tZeichnen m_drawing;
    QTimer m_timer;
    tPictureArea* m_area = nullptr;
    tPictureArea* m_legend = nullptr;
    QCheckBox* m_rotate = nullptr;
    QComboBox* m_rotationModes = nullptr;
    QComboBox* m_colourModes = nullptr;
    QSpinBox* m_fineness = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace zelvora::gui
