#include "desktop.h"

#include "program_text.h"
#include "ui/front_end_text.h"
#include "ui/script_file_kind.h"
#include "ui/statement_lines.h"
#include "window_placement.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

namespace zelvora::gui {

namespace {

constexpr std::string_view ShelfPlaceKey = "Regal";
constexpr std::string_view CommandPlaceKey = "Befehle";
constexpr std::string_view JournalPlaceKey = "Journal";
constexpr std::string_view ListingPlaceKey = "Listing";
// The graphics windows: key and start place in percent of the screen (left, top, width, height).
struct tGraphicsPlace {
    std::string_view Key;
    double Left, Top, Width, Height;
};
constexpr tGraphicsPlace VectorAnimationPlace { "VektorAnimation", 56, 2, 40, 55 };
constexpr tGraphicsPlace CloudAnimationPlace { "WolkenAnimation", 58, 6, 40, 55 };
constexpr tGraphicsPlace ScatterplotPlace { "Scatterplot", 58, 50, 36, 45 };
constexpr tGraphicsPlace ScreePlace { "Screeplot", 54, 46, 36, 45 };
// Bytes read to tell a workspace or binary file from a script.
constexpr qint64 FileKindProbeSize = 4096;
// The title bar and frame that the window system adds above a window's menu bar.
constexpr int WindowFrameAllowance = 32;

std::vector<std::pair<QWidget*, tGraphicsPlace>> GraphicsPlaces(
    QWidget& vectors, QWidget& cloud, QWidget& scatterplot, QWidget& scree)
{
    return { { &vectors, VectorAnimationPlace }, { &cloud, CloudAnimationPlace },
        { &scatterplot, ScatterplotPlace }, { &scree, ScreePlace } };
}

void ShowMessageBox(const std::string& title, const std::string& text)
{
    QMessageBox::information(nullptr, ToQString(title), ToQString(text));
}

// The kind of a file by its first bytes; one that cannot be read counts as text (opening it
// reports the failure).
tScriptFileKind FileKindOf(const std::string& path)
{
    QFile file(ToQString(FileSystemPath(path)));
    if (!file.open(QIODevice::ReadOnly))
        return tScriptFileKind::Text;
    const QByteArray head = file.read(FileKindProbeSize);
    return ScriptFileKindOf(std::string_view(head.constData(), std::size_t(head.size())));
}

QRect AvailableScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

} // namespace

tDesktop::tDesktop(const tPlatformPaths& paths)
    : m_messageBox(ShowMessageBox)
{
    CreateWindows();
    m_session
        = std::make_unique<tSession>(SessionPorts(), CurrentDateTimeText(), paths, SessionHooks());
    ConnectWindows();
}

tDesktop::~tDesktop()
{
    if (m_started) {
        m_session->FinishSettings(); // a failed write at exit is ignored
        SaveWindowPlaces();
    }
    m_session.reset();
}

// Every window of the program is made here. A new window: a member in desktop.h, its creation
// here, its port in SessionPorts, its signals in ConnectWindows, its place in PlaceWindows, and
// its quit check (if it may refuse to close) through m_application.AddQuitCheck, in the order
// journal, command window, shelf, demo window.
void tDesktop::CreateWindows()
{
    // Asked before all others: while statements run, nothing closes yet.
    m_application.AddQuitCheck([this] { return !QuitAfterRun(); });
    m_shelf = std::make_unique<tShelfWindow>(m_clipboard);
    m_commandWindow = std::make_unique<tCommandWindow>();
    m_journal = std::make_unique<tJournalWindow>();
    m_listing = std::make_unique<tListingWindow>();
    m_application.AddQuitCheck([this] { return m_journal->MayClose(); });
    // The listing is asked too, so that its unsaved text is not lost when the program ends.
    m_application.AddQuitCheck([this] { return m_listing->MayClose(); });
    m_application.AddQuitCheck([this] { return m_commandWindow->MayClose(); });
    m_application.AddQuitCheck([] { return true; }); // the shelf holds nothing to save
    m_demoWindow = std::make_unique<tDemoWindow>();
    m_application.AddQuitCheck([this] {
        m_demoWindow->close(); // always allowed; a demo waiting for the user ends
        return true;
    });
    m_cloudAnimation = std::make_unique<tAnimationWindow>(tAnimationKind::Cloud);
    m_scatterplot = std::make_unique<tScatterplotWindow>();
    m_vectorAnimation = std::make_unique<tAnimationWindow>(tAnimationKind::Vectors);
    m_scree = std::make_unique<tScreeWindow>();
    m_graphics = std::make_unique<tDesktopGraphics>(
        *m_vectorAnimation, *m_cloudAnimation, *m_scatterplot, *m_scree);
}

tSessionPorts tDesktop::SessionPorts()
{
    tSessionPorts ports;
    ports.JournalView = m_journal.get();
    ports.ListingView = m_listing.get();
    ports.ListingPictures = m_listing.get();
    ports.CommandWindow = m_commandWindow.get();
    ports.Application = &m_application;
    ports.Shelf = m_shelf.get();
    ports.Clipboard = &m_clipboard;
    ports.Processes = &m_processes;
    ports.DemoView = m_demoWindow.get();
    ports.Graphics = m_graphics.get();
    return ports;
}

// What the journal and listing switches also do in the windows.
tSessionHooks tDesktop::SessionHooks()
{
    tSessionHooks hooks = m_commandWindow->SwitchButtonHooks();
    hooks.ShowJournalWindow = [this](bool visible) { m_journal->setVisible(visible); };
    hooks.ShowListingWindow = [this](bool visible) { m_listing->setVisible(visible); };
    return hooks;
}

// Windows that drive the session (input line, command window, menus) are wired to it here.
void tDesktop::ConnectWindows()
{
    m_shelf->SetSession(m_session.get());
    m_shelf->SetCloseCheck([this] { return m_application.TryQuit(); });
    m_application.SetRunWatchers([this](bool running) { RunStateChanged(running); },
        [this](std::string_view statement) { m_commandWindow->ShowRunningStatement(statement); });
    m_journal->Attach(*m_session);
    m_listing->Attach(*m_session);
    m_commandWindow->Attach(*m_session, m_application);
    // Statements are written and run in the command window; the shelf's input line stays hidden.
    m_shelf->InputLine()->hide();
    QObject::connect(m_shelf->InputLine(), &tInputLine::StatementsEntered, m_shelf.get(),
        [this](const QString& text) {
            // A line that ran is done with (Up brings it back); a failed one stays to be mended.
            const tRunOutcome result = RunStatements(ToProgramText(text));
            if (result.Success && !result.RunTimeError)
                m_shelf->InputLine()->Editor()->clear();
        });
    QAction* basisDemo = m_shelf->menuBar()
                             ->addMenu(QStringLiteral("&Hilfe"))
                             ->addAction(QStringLiteral("Basis-&Demo"));
    QObject::connect(basisDemo, &QAction::triggered, m_shelf.get(), [this] { PlayBasisDemo(); });
    QObject::connect(m_shelf.get(), &tShelfWindow::RunRequested, m_commandWindow.get(),
        [this] { m_commandWindow->RunSelection(); });
}

// The start layout in shares of the screen (shelf left, command window top right, journal and
// listing stacked below it), unless the settings file kept places that still lie on this screen.
void tDesktop::PlaceWindows()
{
    tIniFile ini;
    if (!m_session->SettingsView().SettingsFileRead().empty())
        ini.Load(FileSystemPath(m_session->SettingsView().SettingsFileRead()));
    const QRect screen = AvailableScreen();
    // A window never smaller than its contents allow, and on the screen.
    const auto placeOf = [&](QWidget& window, std::string_view key, const QRect& share) {
        const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
        return WithinScreen(
            FittedOnScreen(ReadWindowPlace(ini, key, share), share, screen), least, screen);
    };
    const auto place = [&](QWidget& window, std::string_view key, const QRect& share) {
        window.setGeometry(placeOf(window, key, share));
    };
    place(*m_shelf, ShelfPlaceKey, ScreenShare(screen, 1, 1, 54, 98));
    place(*m_commandWindow, CommandPlaceKey, ScreenShare(screen, 55, 1, 44, 75));
    place(*m_journal, JournalPlaceKey, ScreenShare(screen, 55, 76, 44, 23));
    place(*m_listing, ListingPlaceKey, ScreenShare(screen, 55, 76, 44, 23));
    m_demoWindow->setGeometry(ScreenShare(screen, 55, 1, 44, 98));
    // The graphics windows open below the command window's menu bar and tool bar, so that they
    // never cover the controls a user reaches for while a picture is shown (a place kept from an
    // earlier run included).
    const QRect commands = m_commandWindow->geometry();
    const QRect controls(
        commands.left(), commands.top(), commands.width(), CommandControlsHeight());
    for (const auto& [window, graphics] :
        GraphicsPlaces(*m_vectorAnimation, *m_cloudAnimation, *m_scatterplot, *m_scree)) {
        const QRect share
            = ScreenShare(screen, graphics.Left, graphics.Top, graphics.Width, graphics.Height);
        QRect where = placeOf(*window, graphics.Key, share);
        if (where.intersects(controls))
            where = BelowControls(where, controls.bottom() + 1, screen);
        window->setGeometry(where);
    }
}

// The height of the command window's menu bar and tool bars above its editor.
int tDesktop::CommandControlsHeight() const
{
    int height = m_commandWindow->menuBar()->sizeHint().height();
    for (const QToolBar* bar : m_commandWindow->findChildren<QToolBar*>())
        height += bar->sizeHint().height();
    return height + WindowFrameAllowance;
}

void tDesktop::SaveWindowPlaces()
{
    const std::string path = FileSystemPath(m_session->SettingsView().SettingsFileToWrite());
    tIniFile ini;
    ini.Load(path);
    WriteWindowPlace(ini, ShelfPlaceKey, m_shelf->geometry());
    WriteWindowPlace(ini, CommandPlaceKey, m_commandWindow->geometry());
    WriteWindowPlace(ini, JournalPlaceKey, m_journal->geometry());
    WriteWindowPlace(ini, ListingPlaceKey, m_listing->geometry());
    for (const auto& [window, place] :
        GraphicsPlaces(*m_vectorAnimation, *m_cloudAnimation, *m_scatterplot, *m_scree))
        WriteWindowPlace(ini, place.Key, window->geometry());
    ini.Save(path);
}

bool tDesktop::Start(const std::vector<std::string>& arguments)
{
    m_session->StartSettings();
    m_started = true;
    m_journal->StartWritingThrough();
    // Written now and after every run, so that a killed program keeps them and names this run's
    // journal as the previous one.
    m_session->WriteSettingsNow();
    PlaceWindows();
    m_commandWindow->ShowWelcomeText();
    m_commandWindow->ShowSettings(); // the recent scripts and the previous journal just read
    m_shelf->show();
    m_journal->show();
    m_listing->show();
    m_commandWindow->show();

    std::vector<std::string> programTexts;
    for (const std::string& argument : arguments)
        programTexts.push_back(Utf8ToCp1252(argument));
    const tStartRequests requests
        = ProcessStartParameters(programTexts, m_session->SettingsView(), StartFileExists);
    for (const tStartMessage& message : requests.Messages)
        m_messageBox(message.Title, message.Text);
    if (requests.Error) {
        m_shelf->close();
        return false;
    }
    m_commandWindow->FocusEditor();
    QTimer::singleShot(0, m_shelf.get(), [this, requests] { RunStartRequests(requests); });
    return true;
}

// The requests of the start parameters, in their order: open the script, run the batch file,
// play the demo.
void tDesktop::RunStartRequests(const tStartRequests& requests)
{
    if (!requests.ScriptFile.empty()) {
        // A file manager starts the program with any of its files: a workspace is loaded as LOAD
        // loads it, never opened as a script (saving that tab would destroy it).
        if (FileKindOf(requests.ScriptFile) == tScriptFileKind::Workspace)
            RunStatements("LOAD " + StringLiteral(requests.ScriptFile));
        else
            m_commandWindow->OpenScript(ToQString(FileSystemPath(requests.ScriptFile)));
    }
    if (!requests.BatchFile.empty())
        m_commandWindow->OpenAndRun(ToQString(FileSystemPath(requests.BatchFile)));
    if (!requests.DemoFile.empty())
        RunStatements("DEMO \"" + requests.DemoFile + "\"");
}

void tDesktop::RunBatchFile(const std::string& path)
{
    const std::string fileName = FileSystemPath(path);
    const auto text = ReadScriptFile(fileName);
    if (!text) {
        m_commandWindow->ShowMessage("Batchdatei " + path + " kann nicht gelesen werden");
        return;
    }
    const std::string directory
        = ProgramPathText(std::filesystem::path(fileName).parent_path().string());
    const bool refused = m_session->IsBusy();
    const tRunOutcome result = m_session->RunText(*text, directory);
    if (refused)
        m_shelf->ShowStatus(result.Message);
    else
        ShowRunResult(result);
}

void tDesktop::PlayBasisDemo()
{
    const std::string line = "Demo \"basisinfo.zvd\"";
    m_commandWindow->AppendEditorLines(line);
    RunStatements(line);
}

tRunOutcome tDesktop::RunStatements(const std::string& text)
{
    const bool refused = m_session->IsBusy();
    const tRunOutcome result
        = m_session->RunText(text, m_session->SettingsView().ExamplesDirectory());
    if (refused)
        m_shelf->ShowStatus(result.Message); // the running statements keep their panels
    else
        ShowRunResult(result);
    return result;
}

bool tDesktop::QuitAfterRun()
{
    if (!m_session || !m_session->IsBusy())
        return false;
    m_quitAfterRun = true;
    m_session->RequestStop();
    m_demoWindow->close(); // a demo waiting for the user ends
    m_shelf->ShowStatus("Die Ausf\xFChrung wird abgebrochen; danach endet das Programm.");
    return true;
}

void tDesktop::RunStateChanged(bool running)
{
    m_commandWindow->ShowRunState(running);
    if (!running && m_started)
        m_session->WriteSettingsNow(); // a failed write is tried again after the next run
    if (running || !m_quitAfterRun)
        return;
    m_quitAfterRun = false;
    // Once the run has returned to the event loop.
    QTimer::singleShot(0, m_shelf.get(), [this] { m_application.TryQuit(); });
}

void tDesktop::ShowRunResult(const tRunOutcome& result)
{
    m_commandWindow->ShowRunResult(result);
}

} // namespace zelvora::gui
