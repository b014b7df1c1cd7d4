// The command window "Zelvora's  Mathbook": editor tabs with scripts, the run action on the
// statements under the caret or the selection, the message panel, comment tools, function menus
// from the catalogue, help, the journal and listing switches. Closing it ends the program.
#pragma once

#include "ports/command_window_port.h"
#include "ui/session.h"
#include "ui/syntax_classes.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPlainTextEdit;
class QMenu;
class QTabWidget;
class QTextCursor;

namespace zelvora {
class tSession;
struct tRunOutcome;
} // namespace zelvora

namespace zelvora::gui {

class tScriptTab;
class tDesktopApplication;

class tCommandWindow : public QMainWindow, public tCommandWindowPort {
    Q_OBJECT

public:
    // Answers a question with three choices (save changes?): Yes 1, No 0, Cancel -1. Tests answer
    // it themselves.
    using tUnsavedQuestion = std::function<int(const QString& text)>;

    explicit tCommandWindow(QWidget* parent = nullptr);
    ~tCommandWindow() override;

    // The session and the application, once they exist; makes the first tab with the welcome
    // text.
    void Attach(tSession& session, tDesktopApplication& application);

    // The journal and listing buttons as the options switch them.
    tSessionHooks SwitchButtonHooks();

    // tCommandWindowPort
    void ShowMessage(std::string_view text) override;
    void HideMessage() override;
    void ShowWarning(std::string_view text) override;
    // Answers (values of a bare formula, help, listings) collect in the answer panel below the
    // editor until the next run starts.
    void ShowOutput(std::string_view text) override;
    void FocusEditor() override;
    // Appends lines at the end of the active tab and puts the caret on the last of them.
    void AppendEditorLines(std::string_view text) override;

    // The welcome text of the settings into the tabs that hold it, unless the user changed them.
    void ShowWelcomeText();
    // The menu items that show settings (recent scripts, previous journal), once the settings file
    // was read.
    void ShowSettings();
    // The run action: the statements under the caret or the selection of the active tab; refused
    // (in the status bar) while another run goes on.
    void RunSelection();
    // The busy look while statements run: the stop button, the cursor; the status bar names the
    // running statement.
    void ShowRunState(bool running);
    void ShowRunningStatement(std::string_view statement);
    QAction* StopAction() const { return m_stopAction; }
    // A failure in the message panel, a run-time error in a message box as well.
    void ShowRunResult(const tRunOutcome& result);
    // Opens a script in a new tab; false (after telling the user) when it cannot be read.
    bool OpenScript(const QString& path);
    // Opens a file in a new tab, selects all and runs it.
    void OpenAndRun(const QString& path);
    // A new, empty tab in the examples directory.
    tScriptTab* NewTab();
    void CloseActiveTab();
    // Saves the active tab to its file (asking for one when it has none); false when not saved.
    bool SaveActiveTab();
    bool SaveActiveTabAs(const QString& path, bool richText);

    // Comment tools on the lines of the statement range under the caret.
    void CommentRange();
    void UncommentRange();
    // Paste-as-comment items: clipboard text inserted after the range's first line, then
    // commented (or freed of comment symbols).
    void PasteAsComment(bool commented);

    // A tab with the structured or the linear function list.
    void ShowFunctionList(bool structured);

    // Where the help file of that name is found (the data directory's help folder when nowhere).
    QString HelpFilePath(const std::string& fileName) const;

    // Asked when the program ends: recent-script list, unsaved tabs.
    bool MayClose();

    tScriptTab* ActiveTab() const;
    void SetActiveTab(int index);
    int TabCount() const;
    tScriptTab* Tab(int index) const;
    QLabel* MessagePanel() const { return m_message; }
    // The warnings of the last run, beside the failure in the message panel, in their own colour.
    QLabel* WarningPanel() const { return m_warnings; }
    QPlainTextEdit* AnswerPanel() const { return m_answers; }
    QAction* JournalSwitch() const { return m_journalSwitch; }
    QAction* PreviousJournalItem() const { return m_previousJournal; }
    QList<QAction*> RecentItems() const { return m_recentActions; }
    QAction* ListingSwitch() const { return m_listingSwitch; }
    void SetUnsavedQuestion(tUnsavedQuestion question) { m_unsavedQuestion = std::move(question); }
    // The menu that the editor's pop-up shows: the catalogue's help tree.
    QMenu* FunctionMenu() const { return m_functionMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildHelpMenu();
    void BuildToolBar();
    tScriptTab* AddTab(std::int32_t number);
    void PutWelcomeText(tScriptTab& tab);
    void UpdateCaption();
    void UpdateRecentMenu();
    void UpdatePreviousJournalItem();
    void OpenRecent(int index);
    void OpenPreviousJournal();
    void ChooseScriptToOpen();
    bool ChooseFileAndSave(bool richText);
    bool AskToSaveTab(tScriptTab& tab);
    void ApplyToRangeLines(const std::function<void(QTextCursor&, const QString&)>& change);
    void ShowHelp(const QString& caption, const std::string& fileName);
    void InsertAtCaret(const QString& text);
    void ShowRunTimeError(const QString& text);
    void MarkFailedLine(tScriptTab& tab, int line);
    void SyncSwitches();
    // True, with a note in the status bar, while statements run.
    bool RefusedDuringRun();
    QString ExamplesDirectory() const;
    // A tab that was opened from or saved to its file: caption, recent-scripts list, window
    // caption.
    void NoteTabFile(tScriptTab& tab);
    tSyntaxWords SyntaxWords() const;

    tSession* m_session = nullptr;
    std::vector<std::string> m_colouredNames; // the store's names when the tabs were coloured
    tDesktopApplication* m_application = nullptr;
    QTabWidget* m_tabs;
    QLabel* m_message;
    QLabel* m_warnings;
    QPlainTextEdit* m_answers;
    QMenu* m_functionMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
    QList<QAction*> m_recentActions;
    QAction* m_previousJournal = nullptr;
    QAction* m_journalSwitch = nullptr;
    QAction* m_listingSwitch = nullptr;
    QAction* m_colouring = nullptr;
    QAction* m_stopAction = nullptr;
    std::int32_t m_tabCounter = 0;
    bool m_recentListRebuilt = false;
    tUnsavedQuestion m_unsavedQuestion;
};

} // namespace zelvora::gui
