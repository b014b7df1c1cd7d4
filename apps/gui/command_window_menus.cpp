// The command window's menus, toolbar and file actions.
#include "command_window.h"
#include "function_menus.h"
#include "help_window.h"
#include "program_text.h"
#include "script_tab.h"
#include "ui/command_window_texts.h"
#include "ui/front_end_text.h"
#include "ui/function_catalogue.h"
#include "ui/session.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolBar>

namespace zelvora::gui {
namespace {

constexpr int RecentMenuItems = 10;

const char* const OpenFilter = "Syntax (alle) (*.rts *.rtf);;Syntax Text (*.rts);;Syntax "
                               "formatiert (*.rtf);;Alle Dateien (*)";
const char* const SaveFilter = "Syntaxfiles (*.rts);;Alle Dateien (*)";

QString Joined(const std::vector<std::string>& lines)
{
    QString text;
    for (const std::string& line : lines)
        text += ToQString(line) + '\n';
    return text;
}

} // namespace

void tCommandWindow::BuildMenus()
{
    BuildFileMenu();
    BuildEditMenu();
    QAction* run
        = menuBar()->addAction(QString::fromUtf8("&Run!"), this, [this] { RunSelection(); });
    run->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_R), QKeySequence(Qt::Key_F2) });
    run->setShortcutContext(Qt::WindowShortcut);
    addAction(run);

    m_functionMenu = menuBar()->addMenu(QString::fromUtf8("&Funktionen"));
    AddHelpTreeItems(*m_functionMenu, FunctionMenuEntries(),
        [this](const QString& text) { InsertAtCaret(text); });
    m_functionMenu->addSeparator();
    m_functionMenu->addAction(
        QString::fromUtf8("Funktions&liste (strukt)"), this, [this] { ShowFunctionList(true); });
    m_functionMenu->addAction(
        QString::fromUtf8("Funktionsl&iste (linear)"), this, [this] { ShowFunctionList(false); });
    m_functionMenu->addAction(QString::fromUtf8("Kopieren &Befehlsliste"), this, [] {
        QString text;
        for (const std::string& line : CommandListLines())
            text += ToQString(line) + "\r\n";
        QGuiApplication::clipboard()->setText(text);
    });
    BuildHelpMenu();
}

void tCommandWindow::BuildFileMenu()
{
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Datei"));
    file->addAction(QString::fromUtf8("&Neu"), QKeySequence::New, this, [this] { NewTab(); });
    file->addAction(QString::fromUtf8("&Lesen ..."), QKeySequence::Open, this,
        [this] { ChooseScriptToOpen(); });
    file->addAction(
        QString::fromUtf8("&Automatisch"), QKeySequence::Save, this, [this] { SaveActiveTab(); });
    file->addAction(QString::fromUtf8("S&peichern als ..."), QKeySequence::SaveAs, this,
        [this] { ChooseFileAndSave(false); });
    file->addAction(QString::fromUtf8("Speichern als &Text"), this, [this] {
        tScriptTab* tab = ActiveTab();
        if (tab && tab->HasFile)
            SaveActiveTabAs(tab->FilePath(), false);
        else
            ChooseFileAndSave(false);
    });
    file->addAction(QString::fromUtf8("Speichern als &RTF"), this, [this] {
        tScriptTab* tab = ActiveTab();
        if (tab && tab->HasFile)
            SaveActiveTabAs(tab->FilePath(), true);
        else
            ChooseFileAndSave(true);
    });
    file->addAction(
        QString::fromUtf8("S&chließen"), QKeySequence::Close, this, [this] { CloseActiveTab(); });
    file->addSeparator();
    m_recentMenu = file->addMenu(QString::fromUtf8("vorige Syntax..."));
    for (int i = 0; i < RecentMenuItems; ++i) {
        m_recentActions.append(
            m_recentMenu->addAction(QString(), this, [this, i] { OpenRecent(i); }));
    }
    m_previousJournal = file->addAction(QString(), this, [this] { OpenPreviousJournal(); });
    UpdatePreviousJournalItem();
    file->addSeparator();
    file->addAction(QString::fromUtf8("&Beenden"), QKeySequence::Quit, this, [this] { close(); });
}

void tCommandWindow::BuildEditMenu()
{
    QMenu* edit = menuBar()->addMenu(QString::fromUtf8("&Bearbeiten"));
    edit->addAction(QString::fromUtf8("&Rückgängig"), QKeySequence::Undo, this, [this] {
        if (ActiveTab())
            ActiveTab()->undo();
    });
    edit->addAction(QString::fromUtf8("&Wiederholen"), QKeySequence::Redo, this, [this] {
        if (ActiveTab())
            ActiveTab()->redo();
    });
    edit->addSeparator();
    edit->addAction(QString::fromUtf8("In &Kommentar umwandeln"), this, [this] { CommentRange(); });
    edit->addAction(
        QString::fromUtf8("K&ommentarsymbol entfernen"), this, [this] { UncommentRange(); });
    edit->addAction(
        QString::fromUtf8("Einfügen als Kommen&tar "), this, [this] { PasteAsComment(true); });
    edit->addAction(
        QString::fromUtf8("Einfügen E&nt-Kommentiert"), this, [this] { PasteAsComment(false); });
    edit->addSeparator();
    edit->addAction(QString::fromUtf8("&Suchen ..."), QKeySequence::Find, this, [this] {
        tScriptTab* tab = ActiveTab();
        if (!tab)
            return;
        bool ok = false;
        const QString word = QInputDialog::getText(this, QString::fromUtf8("Suchen"),
            QString::fromUtf8("Suchen nach:"), QLineEdit::Normal, tab->textCursor().selectedText(),
            &ok);
        if (ok && !word.isEmpty() && !tab->find(word)) {
            tab->moveCursor(QTextCursor::Start);
            if (!tab->find(word))
                ShowWarning(
                    ToProgramText(QString::fromUtf8("\"%1\" kommt im Text nicht vor").arg(word)));
        }
    });
    edit->addAction(QString::fromUtf8("Sc&hrift ..."), this, [this] {
        tScriptTab* tab = ActiveTab();
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, tab ? tab->font() : QFont(), this);
        if (ok && tab)
            tab->setFont(font);
    });
    m_colouring = edit->addAction(QString::fromUtf8("Syntax&färbung"));
    m_colouring->setCheckable(true);
    m_colouring->setChecked(true);
    connect(m_colouring, &QAction::toggled, this, [this](bool on) {
        for (int i = 0; i < m_tabs->count(); ++i)
            Tab(i)->SetColouring(on);
    });
}

void tCommandWindow::BuildHelpMenu()
{
    QMenu* help = menuBar()->addMenu(QString::fromUtf8("&Hilfe"));
    const tSettingsView settings = m_session->SettingsView();
    help->addAction(QString::fromUtf8("&ErsteHilfe"), this,
        [this, settings] { ShowHelp("Erste Hilfe", settings.HelpFirstSteps()); });
    help->addAction(QString::fromUtf8("Einf&ührung"), this, [this, settings] {
        ShowHelp(QString::fromUtf8("Einführung"), settings.HelpIntroduction());
    });
    help->addAction(QString::fromUtf8("&Referenz"), this,
        [this, settings] { ShowHelp("Formel-Referenz", settings.HelpReference()); });
    help->addAction(QString::fromUtf8("&Neues"), this,
        [this, settings] { ShowHelp("Neues (noch nicht in Referenz)", settings.HelpNews()); });
    help->addSeparator();
    help->addAction(QString::fromUtf8("Basis-&Demo"), this, [this] {
        AppendEditorLines("Demo \"basisinfo.zvd\"");
        RunSelection();
    });
    help->addAction(QString::fromUtf8("&Über"), this,
        [this] { ShowAboutBox(this, QCoreApplication::applicationFilePath()); });
}

void tCommandWindow::BuildToolBar()
{
    QToolBar* bar = addToolBar(QString::fromUtf8("Werkzeuge"));
    bar->setObjectName("commandToolBar");
    bar->addAction(QString::fromUtf8("Run!"), this, [this] { RunSelection(); })
        ->setToolTip(QString::fromUtf8("Anweisungen unter dem Cursor ausführen (Strg+R, F2)"));
    m_stopAction = bar->addAction(QString::fromUtf8("Stopp"), this, [this] {
        if (m_session)
            m_session->RequestStop();
    });
    m_stopAction->setToolTip(QString::fromUtf8("Die laufende Anweisung abbrechen"));
    m_stopAction->setEnabled(m_session && m_session->IsBusy());
    bar->addSeparator();
    m_journalSwitch = bar->addAction("J");
    m_journalSwitch->setCheckable(true);
    m_journalSwitch->setToolTip(QString::fromUtf8("Journal an/aus"));
    // The switches change the session's options: not in the middle of a run.
    connect(m_journalSwitch, &QAction::toggled, this, [this](bool on) {
        if (!RefusedDuringRun())
            m_session->SwitchJournal(on);
    });
    m_listingSwitch = bar->addAction("L");
    m_listingSwitch->setCheckable(true);
    m_listingSwitch->setToolTip(QString::fromUtf8("Listing an/aus"));
    connect(m_listingSwitch, &QAction::toggled, this, [this](bool on) {
        if (!RefusedDuringRun())
            m_session->SwitchListing(on);
    });
}

// ---- Tabs and files ---------------------------------------------------------------------------

tScriptTab* tCommandWindow::NewTab()
{
    tScriptTab* tab = AddTab(++m_tabCounter);
    UpdateCaption();
    tab->setFocus(); // typing goes on in the new tab
    return tab;
}

bool tCommandWindow::OpenScript(const QString& path)
{
    tScriptTab* tab = AddTab(++m_tabCounter);
    QString error;
    if (!tab->Open(path, error)) {
        m_tabs->removeTab(m_tabs->indexOf(tab));
        delete tab;
        ShowMessage(ToProgramText(error));
        return false;
    }
    NoteTabFile(*tab);
    return true;
}

void tCommandWindow::NoteTabFile(tScriptTab& tab)
{
    tab.Caption = ToQString(TabCaption(ToProgramText(tab.FileName)));
    m_tabs->setTabText(m_tabs->indexOf(&tab), tab.Caption);
    m_session->AddRecentScript(ToProgramText(tab.FilePath()));
    UpdateRecentMenu();
    UpdateCaption();
}

void tCommandWindow::ChooseScriptToOpen()
{
    const tScriptTab* tab = ActiveTab();
    const QString start = tab && tab->HasFile ? tab->Directory : ExamplesDirectory();
    const QString path = QFileDialog::getOpenFileName(
        this, QString::fromUtf8("Syntaxdatei öffnen"), start, QString::fromUtf8(OpenFilter));
    if (!path.isEmpty())
        OpenScript(path);
}

void tCommandWindow::CloseActiveTab()
{
    const int count = m_tabs->count();
    tScriptTab* tab = ActiveTab();
    if (count < 2 || !tab || !AskToSaveTab(*tab))
        return;
    const int index = m_tabs->indexOf(tab);
    m_tabs->removeTab(index);
    tab->deleteLater();
    m_tabs->setCurrentIndex(index <= 1 ? m_tabs->count() - 1 : index - 1);
    UpdateCaption();
    if (tScriptTab* active = ActiveTab())
        active->setFocus(); // the focus left with the closed tab; typing goes on here
}

bool tCommandWindow::SaveActiveTab()
{
    tScriptTab* tab = ActiveTab();
    if (!tab)
        return false;
    if (!tab->HasFile)
        return ChooseFileAndSave(tab->SavesRichText);
    return SaveActiveTabAs(tab->FilePath(), tab->SavesRichText);
}

bool tCommandWindow::SaveActiveTabAs(const QString& path, bool richText)
{
    tScriptTab* tab = ActiveTab();
    if (!tab)
        return false;
    if (!tab->SaveTo(path, richText)) {
        ShowMessage(ToProgramText(
            QString::fromUtf8("Die Datei \"%1\" konnte nicht geschrieben werden.").arg(path)));
        return false;
    }
    NoteTabFile(*tab);
    return true;
}

bool tCommandWindow::ChooseFileAndSave(bool richText)
{
    tScriptTab* tab = ActiveTab();
    if (!tab)
        return false;
    QFileDialog dialog(this, QString::fromUtf8("Syntaxdatei speichern"),
        tab->Directory + '/' + tab->FileName, QString::fromUtf8(SaveFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(richText ? "rtf" : "rts");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return SaveActiveTabAs(dialog.selectedFiles().front(), richText);
}

void tCommandWindow::UpdateRecentMenu()
{
    if (!m_session || m_recentActions.isEmpty())
        return;
    const auto& entries = m_session->SettingsView().RecentScripts();
    for (int i = 0; i < RecentMenuItems; ++i) {
        const bool used = std::size_t(i) < entries.size() && !entries[std::size_t(i)].empty();
        m_recentActions[i]->setVisible(used);
        if (used)
            m_recentActions[i]->setText(ToQString(entries[std::size_t(i)]).replace('&', "&&"));
    }
}

void tCommandWindow::ShowSettings()
{
    UpdateRecentMenu();
    UpdatePreviousJournalItem();
}

// "..\" and the journal folder and file of the previous run; without one the item is disabled.
void tCommandWindow::UpdatePreviousJournalItem()
{
    if (!m_session || !m_previousJournal)
        return;
    const tSettingsView settings = m_session->SettingsView();
    m_previousJournal->setText(
        ToQString("..\\" + settings.JournalDir() + settings.JournalPrevName()).replace('&', "&&"));
    m_previousJournal->setEnabled(!settings.JournalPrevName().empty());
}

void tCommandWindow::OpenRecent(int index)
{
    const auto& entries = m_session->SettingsView().RecentScripts();
    if (std::size_t(index) >= entries.size())
        return;
    const std::string entry = entries[std::size_t(index)];
    QString path
        = ToQString(RecentScriptPath(entry, m_session->SettingsView().ExamplesDirectory()));
    if (!QFileInfo::exists(path)) {
        QMessageBox::warning(this, "Achtung", ToQString(FileNotFoundText(entry)));
        path = QFileDialog::getOpenFileName(this, QString::fromUtf8("Syntaxdatei öffnen"),
            ExamplesDirectory() + "/*.rts", QString::fromUtf8(OpenFilter));
        if (path.isEmpty())
            return;
    }
    OpenScript(path);
}

void tCommandWindow::OpenPreviousJournal()
{
    const tSettingsView settings = m_session->SettingsView();
    const std::string name
        = JoinPath(JoinPath(settings.DataDir(), settings.JournalDir()), settings.JournalPrevName());
    QString path = ToQString(name);
    if (settings.JournalPrevName().empty() || !QFileInfo::exists(path)) {
        QMessageBox::warning(this, "Achtung", ToQString(FileNotFoundText(name)));
        path = QFileDialog::getOpenFileName(this, QString::fromUtf8("Journal öffnen"),
            QFileInfo(path).path() + "/*.zvj",
            QString::fromUtf8("Journal (*.zvj);;Alle Dateien (*)"));
        if (path.isEmpty())
            return;
    }
    OpenScript(path);
}

void tCommandWindow::ShowHelp(const QString& caption, const std::string& fileName)
{
    tHelpWindow window(caption, HelpFilePath(fileName), this);
    window.exec();
}

// The help files are copied into the data directory at its first start; the program's own folder
// and the shipped documents (installed, or in the build tree) are the fallbacks.
QString tCommandWindow::HelpFilePath(const std::string& fileName) const
{
    const tSettingsView settings = m_session->SettingsView();
    std::vector<std::string> folders { JoinPath(settings.DataDir(), settings.HelpDir()),
        JoinPath(settings.ProgramDir(), settings.HelpDir()) };
    const std::string& shipped = m_session->SettingsView().ShippedDir();
    if (!shipped.empty())
        folders.push_back(JoinPath(shipped, settings.HelpDir()));
    for (const std::string& folder : folders) {
        const QString path = ToQString(JoinPath(folder, fileName));
        if (QFileInfo::exists(path))
            return path;
    }
    return ToQString(JoinPath(folders.front(), fileName));
}

void tCommandWindow::ShowFunctionList(bool structured)
{
    tScriptTab* tab = NewTab();
    if (structured) {
        tab->setPlainText(Joined(StructuredFunctionListLines())
            + ";==============================================;");
        tab->Caption = "Funktionsliste";
        tab->FileName = "fnktlist.rts";
    } else {
        tab->setPlainText(Joined(LinearFunctionListLines()));
        tab->Caption = "fnktlistLin";
    }
    tab->document()->setModified(false);
    m_tabs->setTabText(m_tabs->indexOf(tab), tab->Caption);
    UpdateCaption();
}

} // namespace zelvora::gui
