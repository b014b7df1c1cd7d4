// The demo window: shows one page of a demo at a time, its titles on top and a pane per block
// beneath, and a step bar below the current block with "Next" (Enter) and "break" (Escape). At a
// code block the bar turns green and offers "Rechne".
#pragma once

#include "ui/demo_view.h"

#include <QColor>
#include <QWidget>
#include <vector>

class QEventLoop;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextBrowser;

namespace zelvora::gui {

class tDemoWindow : public QWidget, public tDemoView {
    Q_OBJECT

public:
    // Colours of the window: text and code panes, the marked panes, the step bar.
    static inline const QColor TextPaneColour { 218, 220, 190 };
    static inline const QColor CodePaneColour { 222, 222, 222 };
    static inline const QColor AreaColour { 255, 255, 240 }; // a marked text pane
    static inline const QColor MarkedCodeColour { 255, 255, 255 };
    static inline const QColor NextBarColour { 226, 110, 100 };
    static inline const QColor RechneBarColour { 192, 220, 192 };

    explicit tDemoWindow(QWidget* parent = nullptr);
    ~tDemoWindow() override;

    // tDemoWindowPort and tDemoView
    bool IsVisible() const override { return isVisible(); }
    void Focus() override;
    void ShowDemo(const std::string& title) override;
    void HideDemo() override;
    void ShowScreen(const tDemoScreen& screen) override;
    void MarkBlock(std::size_t index) override;
    tDemoStep WaitForStep(std::size_t index, bool beforeCode) override;
    void EndScreen() override;

    // For tests and pictures: whether a wait runs, what the step bar says, the panes in view.
    bool IsWaiting() const { return m_wait != nullptr; }
    QString StepText() const;
    QColor StepBarColour() const;
    std::size_t BlockPaneCount() const { return m_shownBlocks; }
    QString PaneText(std::size_t index) const; // 0: the titles pane, then the blocks
    QColor PaneColour(std::size_t index) const;
    QPushButton* NextButton() const { return m_next; }
    QPushButton* BreakButton() const { return m_break; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetBreak();
    void EndWait();
    // Places the titles, the block panes, the step bar below the marked block and the filler.
    void LayoutPanes();
    void SetPaneColour(QTextBrowser* pane, const QColor& colour);

    QScrollArea* m_scroll = nullptr;
    QWidget* m_area = nullptr; // the demo text area inside the scroll area
    QTextBrowser* m_titles = nullptr;
    QFrame* m_separator = nullptr;
    std::vector<QTextBrowser*> m_panes; // one per block a screen may show
    QWidget* m_filler = nullptr;
    QFrame* m_stepBar = nullptr;
    QLabel* m_stepLabel = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_break = nullptr;

    tDemoScreen m_screen;
    std::size_t m_shownBlocks = 0;
    std::size_t m_marked = 0;
    bool m_barShown = false;
    bool m_breakRequested = false;
    QEventLoop* m_wait = nullptr;
};

} // namespace zelvora::gui
