// Window events at the check points of a long statement.
#include "ui/event_pass.h"

namespace zelvora {

tEventPass::tEventPass(tApplicationPort* application, std::chrono::milliseconds interval)
    : m_application(application)
    , m_interval(interval)
    , m_last(std::chrono::steady_clock::now())
{
}

void tEventPass::Restart()
{
    m_last = std::chrono::steady_clock::now();
}

void tEventPass::Reach()
{
    if (!m_application || m_inside)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_last < m_interval)
        return;
    // Cleared on every way out, so that a failing pass does not end all later ones.
    struct tInsideScope {
        bool& inside;
        ~tInsideScope() { inside = false; }
    };
    m_inside = true;
    const tInsideScope scope { m_inside };
    m_application->ProcessEventsDuringRun();
    m_last = std::chrono::steady_clock::now();
}

} // namespace zelvora
