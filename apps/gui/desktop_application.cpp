#include "desktop_application.h"

#include <QCoreApplication>

namespace zelvora::gui {

void tDesktopApplication::ProcessPendingMessages()
{
    QCoreApplication::processEvents();
}

void tDesktopApplication::ProcessEventsDuringRun()
{
    QCoreApplication::processEvents();
}

void tDesktopApplication::RunStateChanged(bool running)
{
    if (m_runState)
        m_runState(running);
}

void tDesktopApplication::StatementStarted(std::string_view statement)
{
    if (m_statement)
        m_statement(statement);
}

bool tDesktopApplication::TryQuit()
{
    for (const auto& mayClose : m_quitChecks)
        if (!mayClose())
            return false;
    m_quitGranted = true;
    // The event loop ends once the running statements return to it.
    QCoreApplication::exit(0);
    return true;
}

} // namespace zelvora::gui
