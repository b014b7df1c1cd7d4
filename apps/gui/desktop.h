// The desktop program as one object: the session and every window that shows it. The windows are
// made first and handed to the session as its ports; the session goes first at the end.
#pragma once

#include "command_window.h"
#include "desktop_application.h"
#include "journal_window.h"
#include "listing_window.h"
#include "shelf_window.h"
#include "ui/session.h"

#include <memory>
#include <string>
#include <vector>

namespace zelvora::gui {

class tDesktop {
public:
    // paths: where settings, data directory and shipped examples are (tests pass a temporary one).
    explicit tDesktop(const tPlatformPaths& paths);
    ~tDesktop();
    tDesktop(const tDesktop&) = delete;
    tDesktop& operator=(const tDesktop&) = delete;

    // Reads the settings, makes the data directory, processes the start parameters (arguments[0]
    // the program path) and shows the windows. False when the program should end at once.
    bool Start(const std::vector<std::string>& arguments);
    // Runs statements (Windows-1252) the user typed, relative names against the examples folder.
    tOutermostRunResult RunStatements(const std::string& text);

    tSession& Session() { return *m_session; }
    tShelfWindow& Shelf() { return *m_shelf; }
    tCommandWindow& CommandWindow() { return *m_commandWindow; }
    tJournalWindow& JournalWindow() { return *m_journal; }
    tListingWindow& ListingWindow() { return *m_listing; }
    tDesktopApplication& Application() { return m_application; }

private:
    void CreateWindows();
    tSessionPorts SessionPorts();
    void ConnectWindows();

    // ---- Windows: created in CreateWindows, in this order, before the session exists. ----
    tDesktopApplication m_application;
    std::unique_ptr<tJournalWindow> m_journal;
    std::unique_ptr<tListingWindow> m_listing;
    std::unique_ptr<tCommandWindow> m_commandWindow;
    std::unique_ptr<tShelfWindow> m_shelf;

    // ---- The session: declared last, so it is destroyed before the windows it points to. ----
    std::unique_ptr<tSession> m_session;
};

} // namespace zelvora::gui
