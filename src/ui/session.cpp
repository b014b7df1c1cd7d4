// A program session: interpreter, journal and listing wired together.
#include "ui/session.h"

#include <chrono>
#include <ctime>

namespace zelvora {

tSession::tSession(const tSessionPorts& ports, std::string_view startTime)
    : m_journal(*ports.JournalView)
    , m_listing(*ports.ListingView)
{
    m_journal.Start(startTime);
    m_listing.Start(startTime);
    m_interpreter.SetPorts({ &m_journal, &m_listing, ports.CommandWindow, ports.DemoWindow, ports.Application });
    RegisterCommands(m_interpreter);
}

tOutermostRunResult tSession::RunText(std::string_view text, const std::string& scriptDir)
{
    return m_interpreter.RunLines(SplitTextLines(text), scriptDir);
}

std::string CurrentDateTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%d.%m.%Y %H:%M:%S", &local);
    return buffer;
}

} // namespace zelvora
