#include "desktop.h"

#include "program_text.h"

#include <QApplication>
#include <QLineEdit>

namespace zelvora::gui {

tDesktop::tDesktop(const tPlatformPaths& paths)
{
    CreateWindows();
    m_session = std::make_unique<tSession>(SessionPorts(), CurrentDateTimeText(), paths);
    ConnectWindows();
}

tDesktop::~tDesktop()
{
    m_session.reset();
}

// Every window of the program is made here. A new window: a member in desktop.h, its creation
// here, its port in SessionPorts, its signals in ConnectWindows, its quit check (if it may refuse
// to close) through m_application.AddQuitCheck in the order journal, command, shelf, demo.
void tDesktop::CreateWindows()
{
    m_shelf = std::make_unique<tShelfWindow>();
    m_commandWindow = std::make_unique<tCommandWindow>();
    m_listing = std::make_unique<tListingWindow>();
    m_journal = std::make_unique<tJournalWindow>();
}

tSessionPorts tDesktop::SessionPorts()
{
    tSessionPorts ports;
    ports.JournalView = m_journal.get();
    ports.ListingView = m_listing.get();
    ports.ListingPictures = m_listing.get();
    ports.CommandWindow = m_commandWindow.get();
    ports.Application = &m_application;
    return ports;
}

// Windows that drive the session (input line, command window, menus) are wired to it here.
void tDesktop::ConnectWindows()
{
    m_journal->Attach(m_session->Journal(), m_session->Settings());
    m_listing->Attach(m_session->Listing(), m_session->Settings());
    m_commandWindow->Attach(*m_session, m_application);
    m_shelf->InputLine()->hide(); // the command window takes statements
    // The listing is asked too, so that its unsaved text is not lost when the program ends.
    m_application.AddQuitCheck([this] { return m_journal->MayClose(); });
    m_application.AddQuitCheck([this] { return m_listing->MayClose(); });
    m_application.AddQuitCheck([this] { return m_commandWindow->MayClose(); });
}

bool tDesktop::Start(const std::vector<std::string>& arguments)
{
    (void)arguments;
    m_session->Settings();
    m_shelf->show();
    m_commandWindow->show();
    return true;
}

tOutermostRunResult tDesktop::RunStatements(const std::string& text)
{
    return m_session->RunText(text, m_session->Settings().ExamplesDirectory());
}

} // namespace zelvora::gui
