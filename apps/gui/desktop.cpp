#include "desktop.h"

#include "program_text.h"

#include <QApplication>

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
}

tSessionPorts tDesktop::SessionPorts()
{
    tSessionPorts ports;
    ports.JournalView = &m_journalView;
    ports.ListingView = &m_listingView;
    ports.Application = &m_application;
    return ports;
}

// Windows that drive the session (input line, command window, menus) are wired to it here.
void tDesktop::ConnectWindows()
{
    QObject::connect(m_shelf.get(), &tShelfWindow::StatementsEntered, m_shelf.get(),
        [this](const QString& text) { RunStatements(ToProgramText(text)); });
}

bool tDesktop::Start(const std::vector<std::string>& arguments)
{
    (void)arguments;
    m_session->Settings();
    m_shelf->show();
    return true;
}

tOutermostRunResult tDesktop::RunStatements(const std::string& text)
{
    return m_session->RunText(text, m_session->Settings().ExamplesDirectory());
}

} // namespace zelvora::gui
