// The animation windows. The rotation runs on the user-interface thread as timer steps, so that
// commands, macros and the controls keep working while it turns.
#include "animation_window.h"

#include "qt_picture_canvas.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zelvora::gui {
namespace {

// Steps per timer tick and the tick interval: about a thousand steps a second, so that a full
// turn at fineness 100 takes about half a minute and each tick draws one frame.
constexpr int StepsPerTick = 16;
constexpr int TickMilliseconds = 15;
constexpr int LegendWidth = 64;

QString CaptionOf(tAnimationKind kind)
{
    return kind == tAnimationKind::Cloud ? "Zelvora's Cloud Animation"
                                         : "Zelvora's Vector Animation";
}

} // namespace

tAnimationWindow::tAnimationWindow(tAnimationKind kind, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_drawing(kind)
{
    setWindowTitle(CaptionOf(kind));
    BuildControls();
    resize(560, 480);
    m_timer.setInterval(TickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

void tAnimationWindow::BuildControls()
{
    m_rotationModes = new QComboBox;
    m_rotationModes->addItems(
        { "1 Ebene", "2 Ebenen intermitt", "2 Ebenen random", "alle Ebenen random" });
    m_colourModes = new QComboBox;
    m_colourModes->addItems({ "palette", "Faktorloadings" });
    m_rotate = new QCheckBox("Rotieren");
    m_fineness = new QSpinBox;
    m_fineness->setRange(MinFineness, MaxFineness);
    m_fineness->setValue(DefaultFineness);
    m_fineness->setToolTip("Feinheit: Schritte je Grad");
    auto* controls = new QHBoxLayout;
    controls->addWidget(m_rotationModes);
    controls->addWidget(m_colourModes);
    controls->addWidget(m_rotate);
    controls->addWidget(new QLabel("Feinheit"));
    controls->addWidget(m_fineness);
    controls->addStretch(1);

    m_area = new tPictureArea;
    m_area->setMinimumSize(100, 100);
    m_legend = new tPictureArea;
    m_legend->setToolTip("Doppelklick h\u00e4lt die Rotation an");
    auto* legendScroll = new QScrollArea;
    legendScroll->setWidget(m_legend);
    legendScroll->setFixedWidth(LegendWidth + 20);
    legendScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(m_area, 1);
    pictures->addWidget(legendScroll);

    m_status = new QLabel;
    m_status->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(pictures, 1);
    layout->addWidget(m_status);

    connect(m_rotationModes, &QComboBox::currentIndexChanged, this,
        [this](int index) { m_drawing.SetRotationMode(static_cast<tRotationMode>(index)); });
    connect(m_colourModes, &QComboBox::currentIndexChanged, this,
        [this](int index) { ChooseColourMode(index); });
    connect(m_fineness, &QSpinBox::valueChanged, this,
        [this](int value) { m_drawing.SetFineness(value); });
    connect(m_rotate, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            m_drawing.RequestStart();
            m_timer.start();
        } else {
            m_drawing.RequestStop();
        }
    });
    connect(m_legend, &tPictureArea::DoubleClicked, this, [this] { m_drawing.ToggleStopFlag(); });
    connect(m_area, &tPictureArea::Resized, this, [this] {
        m_drawing.Resize(m_area->width(), m_area->height());
        Repaint();
    });
}

void tAnimationWindow::AssignFactors(const trealmatrix& data, std::uint32_t seed)
{
    m_drawing.SetSeed(seed);
    const bool rotating = m_drawing.AssignFactors(data, m_area->width(), m_area->height());
    if (m_colourModes->currentIndex() != static_cast<int>(m_drawing.ColourMode())) {
        const QSignalBlocker blocker(m_colourModes);
        m_colourModes->setCurrentIndex(static_cast<int>(m_drawing.ColourMode()));
    }
    ShowStatus({});
    DrawLegend();
    if (rotating)
        m_timer.start();
    else
        Repaint();
}

void tAnimationWindow::Repaint()
{
    tQtPictureCanvas canvas;
    m_drawing.DrawFrame(canvas);
    m_area->SetImage(canvas.Image());
}

void tAnimationWindow::Tick()
{
    if (!m_drawing.Advance(StepsPerTick))
        m_timer.stop();
    Repaint();
}

void tAnimationWindow::ChooseColourMode(int index)
{
    if (!m_drawing.SetColourMode(static_cast<tColourMode>(index))) {
        const QSignalBlocker blocker(m_colourModes);
        m_colourModes->setCurrentIndex(static_cast<int>(m_drawing.ColourMode()));
        ShowStatus("Die Farben nach Faktorloadings brauchen eine Matrix mit mindestens drei "
                   "Spalten.");
        return;
    }
    ShowStatus({});
    DrawLegend();
    if (m_drawing.State() != tAnimationState::Rotating)
        Repaint();
}

void tAnimationWindow::DrawLegend()
{
    m_legend->resize(LegendWidth, m_drawing.LegendHeight());
    tQtPictureCanvas canvas;
    m_drawing.DrawLegend(canvas, LegendWidth, m_drawing.LegendHeight());
    m_legend->SetImage(canvas.Image());
}

void tAnimationWindow::ShowStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

QString tAnimationWindow::StatusText() const
{
    return m_status->text();
}

void tAnimationWindow::closeEvent(QCloseEvent* event)
{
    m_drawing.RequestStop();
    m_drawing.Step(); // the stop takes effect at once
    m_timer.stop();
    event->accept();
}

} // namespace zelvora::gui
