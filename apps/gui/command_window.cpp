#include "command_window.h"

#include "desktop_application.h"
#include "function_menus.h"
#include "program_text.h"
#include "script_highlighter.h"
#include "script_tab.h"
#include "ui/command_window_texts.h"
#include "ui/comment_tools.h"
#include "ui/session.h"
#include "ui/statement_lines.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace zelvora::gui {
namespace {

// The longest part of a running statement that the status bar names.
constexpr qsizetype RunningStatementLength = 100;
// How long the status bar shows why an action waits for the run's end (ms).
constexpr int RefusalNoteTime = 5000;

} // namespace

tCommandWindow::tCommandWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
    , m_message(new QLabel(this))
    , m_warnings(new QLabel(this))
    , m_answers(new QPlainTextEdit(this))
{
    setWindowTitle(ToQString(CommandWindowStartCaption));
    m_tabs->setTabPosition(QTabWidget::South);
    m_message->setVisible(false);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setStyleSheet("QLabel { background: #fff3f0; color: #a00000; border: 1px solid "
                             "#d08080; padding: 4px; }");
    m_warnings->setVisible(false);
    m_warnings->setWordWrap(true);
    m_warnings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_warnings->setStyleSheet("QLabel { background: #fff8e0; color: #805000; border: 1px solid "
                              "#d0b060; padding: 4px; }");
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_message);
    layout->addWidget(m_warnings);
    layout->addWidget(m_tabs, 1);
    m_answers->setReadOnly(true);
    m_answers->setVisible(false);
    m_answers->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_answers->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_answers->setMaximumHeight(160);
    layout->addWidget(m_answers);
    setCentralWidget(centre);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { UpdateCaption(); });
    m_unsavedQuestion = [this](const QString& text) {
        const auto answer = QMessageBox::question(
            this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return answer == QMessageBox::Yes ? 1 : answer == QMessageBox::No ? 0 : -1;
    };
    statusBar();
}

tCommandWindow::~tCommandWindow() = default;

void tCommandWindow::Attach(tSession& session, tDesktopApplication& application)
{
    m_session = &session;
    m_application = &application;
    BuildMenus();
    BuildToolBar();
    if (m_tabs->count() == 0)
        AddTab(++m_tabCounter);
    SyncSwitches();
    UpdateRecentMenu();
    setWindowTitle(ToQString(CommandWindowStartCaption)); // until a file or tab changes
}

void tCommandWindow::ShowWelcomeText()
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        tScriptTab* tab = Tab(i);
        if (m_session && !tab->HasFile && !tab->document()->isModified())
            PutWelcomeText(*tab);
    }
}

void tCommandWindow::PutWelcomeText(tScriptTab& tab)
{
    tab.setPlainText(ToQString(m_session->SettingsView().WelcomeText()).replace("\r\n", "\n"));
    tab.document()->setModified(false);
}

tSessionHooks tCommandWindow::SwitchButtonHooks()
{
    tSessionHooks hooks;
    hooks.JournalButton = [this](bool on) {
        const QSignalBlocker blocker(m_journalSwitch);
        m_journalSwitch->setChecked(on);
    };
    hooks.ListingButton = [this](bool on) {
        const QSignalBlocker blocker(m_listingSwitch);
        m_listingSwitch->setChecked(on);
    };
    return hooks;
}

tSyntaxWords tCommandWindow::SyntaxWords() const
{
    tSyntaxWords words;
    tSession* session = m_session;
    words.IsCommandWord
        = [session](std::string_view word) { return session && session->IsCommandWord(word); };
    words.IsCatalogueWord = [](std::string_view word) { return IsCatalogueWord(word); };
    words.IsOperatorWord = [](std::string_view word) { return IsOperatorWord(word); };
    words.IsVariable
        = [session](std::string_view word) { return session && session->HasVariable(word); };
    return words;
}

tScriptTab* tCommandWindow::AddTab(std::int32_t number)
{
    QFont font(ToQString(m_session ? m_session->SettingsView().CommandFont() : "Letter Gothic"));
    font.setPointSize(10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    auto* tab = new tScriptTab(number, font, SyntaxWords(), m_tabs);
    tab->Directory = ExamplesDirectory();
    tab->FileName = ToQString(NewTabFileName(number));
    tab->SetColouring(!m_colouring || m_colouring->isChecked());
    // Every new tab starts with the welcome text, as the first one does.
    if (m_session)
        PutWelcomeText(*tab);
    connect(tab, &QWidget::customContextMenuRequested, this, [this, tab](const QPoint& at) {
        if (m_functionMenu)
            m_functionMenu->popup(tab->viewport()->mapToGlobal(at));
    });
    connect(tab->document(), &QTextDocument::modificationChanged, this, [this, tab](bool changed) {
        const int index = m_tabs->indexOf(tab);
        if (index >= 0)
            m_tabs->setTabText(index, (changed ? "*" : "") + tab->Caption);
    });
    tab->Caption = ToQString(" " + NewTabName(number));
    const int index = m_tabs->addTab(tab, tab->Caption);
    m_tabs->setCurrentIndex(index);
    return tab;
}

QString tCommandWindow::ExamplesDirectory() const
{
    if (!m_session)
        return QString();
    QString directory = ToQString(m_session->SettingsView().ExamplesDirectory());
    while (directory.endsWith('/') && directory.size() > 1)
        directory.chop(1);
    return directory;
}

tScriptTab* tCommandWindow::ActiveTab() const
{
    return qobject_cast<tScriptTab*>(m_tabs->currentWidget());
}

void tCommandWindow::SetActiveTab(int index)
{
    m_tabs->setCurrentIndex(index);
}

int tCommandWindow::TabCount() const
{
    return m_tabs->count();
}

tScriptTab* tCommandWindow::Tab(int index) const
{
    return qobject_cast<tScriptTab*>(m_tabs->widget(index));
}

void tCommandWindow::UpdateCaption()
{
    const tScriptTab* tab = ActiveTab();
    if (!tab || !m_session)
        return;
    setWindowTitle(ToQString(CommandWindowCaption(ToProgramText(tab->Directory),
        ToProgramText(tab->FileName), m_session->SettingsView().ExamplesDirectory())));
}

// ---- Messages ---------------------------------------------------------------------------------

void tCommandWindow::ShowMessage(std::string_view text)
{
    m_message->setText(ToQString(text));
    m_message->setVisible(true);
}

void tCommandWindow::HideMessage()
{
    m_message->clear();
    m_message->setVisible(false);
    m_warnings->clear();
    m_warnings->setVisible(false);
}

void tCommandWindow::ShowWarning(std::string_view text)
{
    const QString warning = ToQString(text);
    m_warnings->setText(m_warnings->isVisible() && !m_warnings->text().isEmpty()
            ? m_warnings->text() + '\n' + warning
            : warning);
    m_warnings->setVisible(true);
}

void tCommandWindow::ShowOutput(std::string_view text)
{
    QString answer = ToQString(text);
    if (answer.endsWith('\n'))
        answer.chop(1);
    m_answers->appendPlainText(answer);
    m_answers->setVisible(true);
}

void tCommandWindow::FocusEditor()
{
    activateWindow();
    if (tScriptTab* tab = ActiveTab())
        tab->setFocus();
}

void tCommandWindow::AppendEditorLines(std::string_view text)
{
    tScriptTab* tab = ActiveTab();
    if (!tab || text.empty())
        return;
    QString lines = ToQString(text).replace("\r\n", "\n");
    if (lines.endsWith('\n'))
        lines.chop(1);
    QTextCursor cursor(tab->document());
    cursor.movePosition(QTextCursor::End);
    if (!cursor.block().text().isEmpty())
        lines.prepend('\n');
    cursor.insertText(lines);
    tab->setTextCursor(cursor);
}

void tCommandWindow::ShowRunTimeError(const QString& text)
{
    // Not modal for the program: the user reads it while the windows stay usable.
    auto* box = new QMessageBox(QMessageBox::Critical, "Zelvora", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    ShowMessage(ToProgramText(text));
}

// ---- Run --------------------------------------------------------------------------------------

void tCommandWindow::RunSelection()
{
    tScriptTab* tab = ActiveTab();
    if (!m_session || !tab)
        return;
    if (m_session->IsBusy()) {
        // The run that goes on keeps its panels; the new one is not started.
        statusBar()->showMessage(ToQString(RunBusyText), RefusalNoteTime);
        return;
    }
    HideMessage();
    tab->setExtraSelections({});
    m_answers->clear();
    m_answers->setVisible(false);
    const std::vector<std::string> lines = tab->ProgramLines();
    const tSelectedLines range
        = SelectedStatementLines(lines, tab->SelectionStart(), tab->SelectionLength());
    // The user may close the tab while its statements run.
    const QPointer<tScriptTab> ranTab(tab);
    const tRunOutcome result = m_session->Run(
        tRunRequest::OfLines(lines, range.First, range.Last, ToProgramText(tab->Directory)));
    ShowRunResult(result);
    FocusEditor();
    QCoreApplication::processEvents();
    if (ranTab && !result.Success && !result.RunTimeError && result.FailurePlace
        && result.FailurePlace->Source.empty())
        MarkFailedLine(*ranTab, result.FailurePlace->Line - 1);
}

// The failing statement's first line is marked and scrolled into view, below the message panel
// that has just pushed the editor down.
void tCommandWindow::MarkFailedLine(tScriptTab& tab, int line)
{
    const QTextBlock block = tab.document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(block);
    mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    mark.format.setBackground(QColor(255, 220, 210));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    tab.setExtraSelections({ mark });
    QTextCursor caret(block);
    tab.setTextCursor(caret);
    tab.ensureCursorVisible();
}

void tCommandWindow::ShowRunResult(const tRunOutcome& result)
{
    if (result.RunTimeError)
        ShowRunTimeError(ToQString(result.ErrorText));
    else if (!result.Success)
        // The innermost failing statement: a stopped one names the statement it stopped.
        ShowMessage(FailureDisplayText(result));
    SyncSwitches();
    // Names are coloured by what the store holds: new or deleted variables change colours.
    if (m_session) {
        std::vector<std::string> names = m_session->VariableNames();
        if (names != m_colouredNames) {
            m_colouredNames = std::move(names);
            for (int i = 0; i < m_tabs->count(); ++i)
                Tab(i)->Recolour();
        }
    }
}

void tCommandWindow::OpenAndRun(const QString& path)
{
    if (!OpenScript(path))
        return;
    ActiveTab()->selectAll();
    RunSelection();
}

void tCommandWindow::ShowRunState(bool running)
{
    if (m_stopAction)
        m_stopAction->setEnabled(running);
    if (running) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        QApplication::restoreOverrideCursor();
        statusBar()->clearMessage();
    }
}

void tCommandWindow::ShowRunningStatement(std::string_view statement)
{
    QString text = ToQString(statement).simplified();
    if (text.size() > RunningStatementLength)
        text = text.left(RunningStatementLength) + QString::fromUtf8(" …");
    statusBar()->showMessage(QString::fromUtf8("Läuft: ") + text);
}

bool tCommandWindow::RefusedDuringRun()
{
    if (!m_session || !m_session->IsBusy())
        return false;
    statusBar()->showMessage(ToQString(RunBusyText), RefusalNoteTime);
    SyncSwitches(); // a switch the user turned shows the option as it stays
    return true;
}

void tCommandWindow::SyncSwitches()
{
    if (!m_session || !m_journalSwitch)
        return;
    const QSignalBlocker journalBlocker(m_journalSwitch);
    const QSignalBlocker listingBlocker(m_listingSwitch);
    m_journalSwitch->setChecked(m_session->JournalOn());
    m_listingSwitch->setChecked(m_session->ListingOn());
}

// ---- Comment tools ----------------------------------------------------------------------------

void tCommandWindow::ApplyToRangeLines(
    const std::function<void(QTextCursor&, const QString&)>& change)
{
    tScriptTab* tab = ActiveTab();
    if (!tab)
        return;
    const tSelectedLines range = SelectedStatementLines(
        tab->ProgramLines(), tab->SelectionStart(), tab->SelectionLength());
    QTextCursor cursor(tab->document());
    cursor.beginEditBlock();
    for (int line = range.First; line <= range.Last; ++line) {
        const QTextBlock block = tab->document()->findBlockByNumber(line);
        if (!block.isValid())
            break;
        cursor.setPosition(block.position());
        change(cursor, block.text());
    }
    cursor.endEditBlock();
}

void tCommandWindow::CommentRange()
{
    ApplyToRangeLines(
        [](QTextCursor& cursor, const QString&) { cursor.insertText(ToQString(CommentPrefix)); });
}

void tCommandWindow::UncommentRange()
{
    ApplyToRangeLines([](QTextCursor& cursor, const QString& line) {
        const auto symbol = LeadingCommentSymbol(LineBytes(line));
        if (!symbol)
            return;
        const int start = cursor.position() + symbol->Start;
        cursor.setPosition(start);
        cursor.setPosition(start + symbol->Length, QTextCursor::KeepAnchor);
        cursor.insertText(QString(symbol->Length, ' '));
    });
}

void tCommandWindow::PasteAsComment(bool commented)
{
    tScriptTab* tab = ActiveTab();
    QString text = QGuiApplication::clipboard()->text();
    if (!tab || text.isEmpty())
        return;
    text.replace("\r\n", "\n");
    QTextDocument* document = tab->document();
    const tSelectedLines range = SelectedStatementLines(
        tab->ProgramLines(), tab->SelectionStart(), tab->SelectionLength());
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    int start = 0;
    if (!document->isEmpty()) {
        const QTextBlock next = document->findBlockByNumber(range.First + 1);
        if (next.isValid()) {
            start = next.position();
            if (!text.endsWith('\n'))
                text += '\n';
        } else {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText("\n");
            start = cursor.position();
        }
    }
    cursor.setPosition(start);
    cursor.insertText(text);
    QTextCursor selection(document);
    selection.setPosition(start);
    selection.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
    tab->setTextCursor(selection);
    if (commented)
        CommentRange();
    else
        UncommentRange();
    cursor.endEditBlock();
}

void tCommandWindow::InsertAtCaret(const QString& text)
{
    if (tScriptTab* tab = ActiveTab())
        tab->insertPlainText(text);
}

// ---- Closing ----------------------------------------------------------------------------------

bool tCommandWindow::AskToSaveTab(tScriptTab& tab)
{
    if (!tab.document()->isModified())
        return true;
    m_tabs->setCurrentWidget(&tab);
    const int answer = m_unsavedQuestion(
        QString::fromUtf8("Der Text in \"%1\" wurde geändert. Änderungen speichern?")
            .arg(tab.FileName));
    if (answer < 0)
        return false;
    return answer == 0 || SaveActiveTab();
}

bool tCommandWindow::MayClose()
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (!AskToSaveTab(*Tab(i)))
            return false;
    }
    if (!m_recentListRebuilt && m_session) {
        m_recentListRebuilt = true;
        std::vector<std::string> tabFiles;
        for (int i = 0; i < m_tabs->count(); ++i) {
            if (Tab(i)->HasFile)
                tabFiles.push_back(ToProgramText(Tab(i)->FilePath()));
        }
        const tSettingsView settings = m_session->SettingsView();
        m_session->SetRecentScripts(RebuiltRecentScripts(
            tabFiles, settings.RecentScripts(), settings.ExamplesDirectory(), MaxRecentScripts()));
    }
    return true;
}

void tCommandWindow::closeEvent(QCloseEvent* event)
{
    // Closing the command window ends the program when every window agrees.
    if (m_application && !m_application->QuitGranted() && !m_application->TryQuit()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zelvora::gui
