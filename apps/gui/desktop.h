// The desktop program as one object: the session and every window that shows it. The windows are
// made first and handed to the session as its ports; the session goes first at the end.
#pragma once

#include "animation_window.h"
#include "command_window.h"
#include "demo_window.h"
#include "desktop_application.h"
#include "desktop_graphics.h"
#include "journal_window.h"
#include "listing_window.h"
#include "qt_clipboard.h"
#include "qt_processes.h"
#include "scatterplot_window.h"
#include "scree_window.h"
#include "shelf_window.h"
#include "ui/program_start.h"
#include "ui/session.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelvora::gui {

class tDesktop {
public:
    // Shows a message box: title and text (Windows-1252, lines separated by '\n').
    using tMessageBox = std::function<void(const std::string& title, const std::string& text)>;

    // paths: where settings, data directory and shipped examples are (tests pass a temporary one).
    explicit tDesktop(const tPlatformPaths& paths);
    // Writes the settings file and the window places when Start ran.
    ~tDesktop();
    tDesktop(const tDesktop&) = delete;
    tDesktop& operator=(const tDesktop&) = delete;

    // Reads the settings, makes the data directory, places and shows the windows and processes
    // the start parameters (arguments[0] the program path, UTF-8 as the system passes them);
    // their requests run once the event loop runs. False when a requested file is missing: the
    // program ends after the messages.
    bool Start(const std::vector<std::string>& arguments);
    // Runs statements (Windows-1252), relative names against the examples folder, and shows a
    // failure in the command window's message panel. A run started while one runs is refused.
    tRunOutcome RunStatements(const std::string& text);
    // Runs a script file as a batch (the start parameter batchdatei).
    void RunBatchFile(const std::string& path);
    // "Basis-&Demo": the line that plays the introductory demo goes to the command window's
    // editor and runs.
    void PlayBasisDemo();
    // Replaces the message boxes (tests record them instead).
    void SetMessageBox(tMessageBox show) { m_messageBox = std::move(show); }

    tSession& Session() { return *m_session; }
    tShelfWindow& Shelf() { return *m_shelf; }
    tCommandWindow& CommandWindow() { return *m_commandWindow; }
    tJournalWindow& JournalWindow() { return *m_journal; }
    tListingWindow& ListingWindow() { return *m_listing; }
    tDesktopApplication& Application() { return m_application; }
    tDemoWindow& DemoWindow() { return *m_demoWindow; }
    tAnimationWindow& VectorAnimation() { return *m_vectorAnimation; }
    tAnimationWindow& CloudAnimation() { return *m_cloudAnimation; }
    tScatterplotWindow& Scatterplot() { return *m_scatterplot; }
    tScreeWindow& Scree() { return *m_scree; }
    tDesktopGraphics& Graphics() { return *m_graphics; }

private:
    void CreateWindows();
    tSessionPorts SessionPorts();
    tSessionHooks SessionHooks();
    void ConnectWindows();
    void PlaceWindows();
    int CommandControlsHeight() const;
    void SaveWindowPlaces();
    void RunStartRequests(const tStartRequests& requests);
    void ShowRunResult(const tRunOutcome& result);

    // Closing while statements run stops them; the program ends once the run returns.
    bool QuitAfterRun();
    void RunStateChanged(bool running);

    tMessageBox m_messageBox;
    bool m_started = false;
    bool m_quitAfterRun = false;

    // ---- Windows and services: created in CreateWindows before the session exists. ----
    tDesktopApplication m_application;
    tQtClipboard m_clipboard;
    tQtProcesses m_processes;
    std::unique_ptr<tJournalWindow> m_journal;
    std::unique_ptr<tListingWindow> m_listing;
    std::unique_ptr<tCommandWindow> m_commandWindow;
    std::unique_ptr<tShelfWindow> m_shelf;
    std::unique_ptr<tDemoWindow> m_demoWindow;
    std::unique_ptr<tAnimationWindow> m_cloudAnimation;
    std::unique_ptr<tScatterplotWindow> m_scatterplot;
    std::unique_ptr<tScreeWindow> m_scree;
    std::unique_ptr<tAnimationWindow> m_vectorAnimation;
    std::unique_ptr<tDesktopGraphics> m_graphics;

    // ---- The session: declared last, so it is destroyed before the windows it points to. ----
    std::unique_ptr<tSession> m_session;
};

} // namespace zelvora::gui
