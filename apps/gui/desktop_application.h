// The application port of the desktop: window events between statements, and the quit check that
// asks every window whether it may close.
#pragma once

#include "ports/command_window_port.h"

#include <functional>
#include <string>
#include <vector>

namespace zelvora::gui {

class tDesktopApplication : public tApplicationPort {
public:
    // A window's answer to "may the program end?"; it may ask the user (save the journal?).
    using tMayCloseCheck = std::function<bool()>;

    // Checks run in the order they were added: journal, command window, shelf, demo window.
    void AddQuitCheck(tMayCloseCheck check) { m_quitChecks.push_back(std::move(check)); }
    void ProcessPendingMessages() override;
    // True when every check agrees; then the program's event loop ends.
    bool TryQuit() override;
    bool QuitGranted() const { return m_quitGranted; }

private:
    std::vector<tMayCloseCheck> m_quitChecks;
    bool m_quitGranted = false;
};

} // namespace zelvora::gui
