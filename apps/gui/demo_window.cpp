// The demo window: panes over a scrolling demo area, a step bar, and a local event loop for each
// wait, so that the windows stay usable while the demo waits for the user.
#include "demo_window.h"

#include "program_text.h"
#include "ui/front_end_text.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <cmath>

namespace zelvora::gui {

namespace {

constexpr int TitleSpace = 5; // below the titles' text
constexpr int SeparatorHeight = 2;

QTextBrowser* MakePane(QWidget* parent)
{
    auto* pane = new QTextBrowser(parent);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setReadOnly(true);
    pane->setOpenLinks(false);
    pane->setFocusPolicy(Qt::NoFocus);
    pane->setAutoFillBackground(true);
    pane->hide();
    return pane;
}

// The height a pane needs to show its whole text at the given width.
int TextHeight(QTextBrowser* pane, int width)
{
    pane->document()->setTextWidth(width);
    return static_cast<int>(std::ceil(pane->document()->size().height()));
}

QString ScreenTitlesHtml(const tDemoScreen& screen)
{
    tRichText titles;
    titles.Lines.push_back(screen.Chapter->title);
    tRichLine page = screen.Page->title;
    if (screen.Parts > 1) {
        tTextRun part;
        part.Text = " (Teil " + std::to_string(screen.Part) + " von " + std::to_string(screen.Parts)
            + ")";
        AppendRun(page, part);
    }
    titles.Lines.push_back(page);
    return QString::fromStdString(RichTextToHtml(titles));
}

} // namespace

tDemoWindow::tDemoWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Zelvora-Demo"));
    setMinimumSize(360, 300);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area = new QWidget;
    m_area->setAutoFillBackground(true);
    QPalette areaPalette = m_area->palette();
    areaPalette.setColor(QPalette::Window, AreaColour);
    m_area->setPalette(areaPalette);
    m_scroll->setWidget(m_area);

    m_titles = MakePane(m_area);
    QFont titleFont = m_titles->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_titles->document()->setDefaultFont(titleFont);
    SetPaneColour(m_titles, AreaColour);
    m_separator = new QFrame(m_area);
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);
    m_separator->hide();
    for (std::size_t i = 0; i < MaxBlocksPerScreen; ++i)
        m_panes.push_back(MakePane(m_area));
    m_filler = new QWidget(m_area);
    m_filler->setAutoFillBackground(true);
    QPalette fillerPalette = m_filler->palette();
    fillerPalette.setColor(QPalette::Window, TextPaneColour);
    m_filler->setPalette(fillerPalette);
    m_filler->hide();

    m_stepBar = new QFrame(m_area);
    m_stepBar->setAutoFillBackground(true);
    m_stepBar->setFrameShape(QFrame::StyledPanel);
    auto* barLayout = new QHBoxLayout(m_stepBar);
    barLayout->setContentsMargins(6, 3, 6, 3);
    m_stepLabel = new QLabel(QStringLiteral("Next"), m_stepBar);
    QFont labelFont = m_stepLabel->font();
    labelFont.setBold(true);
    m_stepLabel->setFont(labelFont);
    m_next = new QPushButton(QStringLiteral("Next"), m_stepBar);
    m_next->setDefault(true);
    m_break = new QPushButton(QStringLiteral("break"), m_stepBar);
    barLayout->addWidget(m_stepLabel);
    barLayout->addStretch();
    barLayout->addWidget(m_next);
    barLayout->addWidget(m_break);
    m_stepBar->adjustSize();
    m_stepBar->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    connect(m_next, &QPushButton::clicked, this, [this] { EndWait(); });
    connect(m_break, &QPushButton::clicked, this, [this] { SetBreak(); });
}

tDemoWindow::~tDemoWindow()
{
    SetBreak(); // a wait still running ends
}

void tDemoWindow::Focus()
{
    activateWindow();
    m_next->setFocus();
}

void tDemoWindow::ShowDemo(const std::string& title)
{
    m_breakRequested = false;
    setWindowTitle(ToQString(title));
    show();
    raise();
}

void tDemoWindow::HideDemo()
{
    EndScreen();
    hide();
}

void tDemoWindow::ShowScreen(const tDemoScreen& screen)
{
    EndScreen();
    m_screen = screen;
    m_shownBlocks = std::min(screen.BlockCount, m_panes.size());
    m_titles->setHtml(ScreenTitlesHtml(screen));
    m_titles->show();
    m_separator->show();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (std::size_t i = 0; i < m_shownBlocks; ++i) {
        const tblockdescr& block = screen.Block(i);
        QTextBrowser* pane = m_panes[i];
        const bool code = block.kind == tDemoBlockKind::Code;
        pane->document()->setDefaultFont(code ? fixed : font());
        pane->setHtml(QString::fromStdString(RichTextToHtml(block.text)));
        SetPaneColour(pane, code ? CodePaneColour : TextPaneColour);
        pane->show();
    }
    m_filler->show();
    m_barShown = false;
    LayoutPanes();
    m_scroll->verticalScrollBar()->setValue(0);
    m_next->setFocus();
}

void tDemoWindow::MarkBlock(std::size_t index)
{
    if (index >= m_shownBlocks)
        return;
    const bool code = m_screen.Block(index).kind == tDemoBlockKind::Code;
    SetPaneColour(m_panes[index], code ? MarkedCodeColour : AreaColour);
}

tDemoStep tDemoWindow::WaitForStep(std::size_t index, bool beforeCode)
{
    if (m_breakRequested || !isVisible())
        return tDemoStep::Break;
    m_marked = std::min(index, m_shownBlocks ? m_shownBlocks - 1 : 0);
    m_barShown = true;
    const QString text = beforeCode ? QStringLiteral("Rechne") : QStringLiteral("Next");
    m_stepLabel->setText(text);
    m_next->setText(text);
    QPalette palette = m_stepBar->palette();
    palette.setColor(QPalette::Window, beforeCode ? RechneBarColour : NextBarColour);
    m_stepBar->setPalette(palette);
    m_stepBar->show();
    LayoutPanes();
    m_scroll->ensureWidgetVisible(m_stepBar, 0, 20);
    m_next->setFocus();

    QEventLoop wait;
    m_wait = &wait;
    wait.exec();
    m_wait = nullptr;
    return m_breakRequested ? tDemoStep::Break : tDemoStep::Next;
}

void tDemoWindow::EndScreen()
{
    m_titles->hide();
    m_separator->hide();
    for (QTextBrowser* pane : m_panes)
        pane->hide();
    m_filler->hide();
    m_stepBar->hide();
    m_barShown = false;
    m_shownBlocks = 0;
}

QString tDemoWindow::StepText() const
{
    return m_stepBar->isVisible() ? m_stepLabel->text() : QString();
}

QColor tDemoWindow::StepBarColour() const
{
    return m_stepBar->palette().color(QPalette::Window);
}

QString tDemoWindow::PaneText(std::size_t index) const
{
    if (index == 0)
        return m_titles->toPlainText();
    return index <= m_shownBlocks ? m_panes[index - 1]->toPlainText() : QString();
}

QColor tDemoWindow::PaneColour(std::size_t index) const
{
    const QTextBrowser* pane = index == 0 ? m_titles : m_panes.at(index - 1);
    return pane->palette().color(QPalette::Base);
}

void tDemoWindow::closeEvent(QCloseEvent* event)
{
    SetBreak(); // closing is always allowed and ends the demo
    event->accept();
}

// Keys that no child took: Enter is "Next", Escape is "break".
void tDemoWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_next->click();
        break;
    case Qt::Key_Escape:
        m_break->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void tDemoWindow::hideEvent(QHideEvent* event)
{
    SetBreak();
    QWidget::hideEvent(event);
}

void tDemoWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutPanes();
}

void tDemoWindow::SetBreak()
{
    m_breakRequested = true;
    EndWait();
}

void tDemoWindow::EndWait()
{
    if (m_wait)
        m_wait->quit();
}

void tDemoWindow::LayoutPanes()
{
    const int width = m_scroll->viewport()->width();
    const int viewHeight = m_scroll->viewport()->height();
    int y = 0;
    if (m_titles->isVisible()) {
        const int height = TextHeight(m_titles, width) + TitleSpace;
        m_titles->setGeometry(0, 0, width, height);
        m_separator->setGeometry(0, height, width, SeparatorHeight);
        y = height + SeparatorHeight;
    }
    for (std::size_t i = 0; i < m_shownBlocks; ++i) {
        const int height = TextHeight(m_panes[i], width);
        m_panes[i]->setGeometry(0, y, width, height);
        y += height;
        if (m_barShown && i == m_marked) {
            const int barHeight = m_stepBar->sizeHint().height();
            m_stepBar->setGeometry(0, y, width, barHeight);
            y += barHeight;
        }
    }
    const int rest = std::max(0, viewHeight - y);
    m_filler->setGeometry(0, y, width, rest);
    m_area->resize(width, y + rest);
}

void tDemoWindow::SetPaneColour(QTextBrowser* pane, const QColor& colour)
{
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    pane->setPalette(palette);
}

} // namespace zelvora::gui
