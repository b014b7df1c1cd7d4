// The shelf "Zelvora's Matrizen-Regal": the main window. Its compartments are the pages of a tab
// control, each an MDI area holding matrix windows as child windows; the scalar window floats
// beside it. Its menus: "&Run!", "&Matrizen" with the window entries, "&Fächer", and the popup of
// the compartment tabs. For now an input line at its foot runs statements.
#pragma once

#include "input_line.h"
#include "ports/shelf_port.h"
#include "ui/session.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <vector>

class QMdiArea;
class QMenu;
class QTabWidget;

namespace zelvora::gui {

class tMatrixWindow;

class tShelfWindow : public QMainWindow, public tShelfPort {
    Q_OBJECT

public:
    // The shelf keeps at most this many compartments.
    static constexpr int MaxCompartments = 50;

    // clipboard: where the matrix windows copy to; it must outlive the shelf.
    explicit tShelfWindow(tClipboardPort& clipboard, QWidget* parent = nullptr);
    ~tShelfWindow() override;

    // The session whose variables the matrix windows show and edit and whose store the menus act
    // on (set once the session exists).
    void SetSession(tSession* session) { m_session = session; }
    tSession* Session() const { return m_session; }
    tClipboardPort& Clipboard() const { return m_clipboard; }
    // Asked when the user closes the shelf; false keeps it open. Without one the shelf closes.
    void SetCloseCheck(std::function<bool()> check) { m_closeCheck = std::move(check); }
    // True, with a note in the status bar, when statements run now: the caller then leaves the
    // store alone, so that no statement sees it change under its feet.
    bool RefusedDuringRun();

    // ---- The shelf port.
    std::unique_ptr<tMatrixWindowPort> CreateMatrixWindow(
        std::int32_t index, tMatrixWindowClient& client) override;
    std::int32_t ActiveCompartmentWindowCount() const override;
    tClientSize ActiveCompartmentClientSize() const override;
    void AddWindowMenuEntry(std::string_view name, tMatrixWindowPort& window) override;
    std::unique_ptr<tScalarWindowPort> CreateScalarWindow() override;
    std::int32_t CompartmentCount() const override;
    void AddCompartment() override;
    void ActivateCompartment(std::int32_t n) override;
    void MoveToActiveCompartment(tMatrixWindowPort& window) override;

    // ---- Menu actions, also reachable for tests.
    // "Fach löschen": closes the active compartment's windows (the variables stay, hidden) and
    // removes it, unless it is the only one.
    void DeleteActiveCompartment();
    // "alle Schließen (Matrix löschen)": asks first, saying how many go, then deletes every plain
    // matrix variable (shape 2), hidden ones too. True when they were deleted.
    bool DeleteAllMatrices();
    // The number of plain matrix variables (shown or hidden).
    std::int32_t MatrixVariableCount() const;
    // Answers the question before deleting (true: delete); tests answer it themselves.
    void SetDeleteQuestion(std::function<bool(const QString&)> question)
    {
        m_deleteQuestion = std::move(question);
    }
    void HideAllWindows();
    void MinimizeAllWindows();

    // ---- What the matrix windows use.
    void AdoptMatrixWindow(tMatrixWindow& window);
    void ForgetMatrixWindow(tMatrixWindow& window);
    tClientSize ClientSizeOf(const tMatrixWindow& window) const;
    int DefaultColumnWidth() const;
    // Shows a note in the status bar; an empty text clears it.
    void ShowStatus(const std::string& text);

    // ---- Parts of the window.
    int ActiveCompartmentIndex() const; // from 0
    QMdiArea* Compartment(int index) const; // index from 0
    QMdiArea* ActiveCompartment() const;
    QString CompartmentCaption(int index) const;
    // The open matrix windows on compartment index (from 0).
    std::vector<tMatrixWindow*> WindowsOn(int index) const;
    QMenu* MatricesMenu() const { return m_matricesMenu; }
    QMenu* CompartmentMenu() const { return m_compartmentPopup; }
    tInputLine* InputLine() const { return m_inputLine; }

signals:
    // "&Run!": run the statements of the input line (later the command window).
    void RunRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    QMdiArea* NewCompartmentArea();
    int CompartmentOf(const tMatrixWindow& window) const; // page index, or -1

    tClipboardPort& m_clipboard;
    tSession* m_session = nullptr;
    std::function<bool()> m_closeCheck;
    std::function<bool(const QString&)> m_deleteQuestion;
    QTabWidget* m_compartments = nullptr;
    tInputLine* m_inputLine = nullptr;
    QMenu* m_matricesMenu = nullptr;
    QMenu* m_compartmentPopup = nullptr;
    bool m_windowEntriesSeparated = false;
    int m_compartmentCounter = 1; // the number in the caption of the last compartment added
    // The compartment table: entry i holds the MDI area of one page, or none.
    std::array<QMdiArea*, MaxCompartments> m_table {};
    std::vector<tMatrixWindow*> m_windows;
    std::map<const tMatrixWindow*, QAction*> m_menuEntries;
};

// The note when the user changes the store while statements run (Windows-1252).
inline constexpr std::string_view DuringRunRefusalText
    = "Nicht w\xE4hrend einer Ausf\xFChrung: warten Sie, bis sie endet, oder dr\xFC"
      "cken Sie \"Stopp\".";

// The question before "alle Schließen" deletes count matrix variables (Windows-1252).
std::string DeleteAllMatricesQuestion(std::int32_t count);

} // namespace zelvora::gui
