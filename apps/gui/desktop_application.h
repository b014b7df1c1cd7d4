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
    void ProcessEventsDuringRun() override;
    void RunStateChanged(bool running) override;
    void StatementStarted(std::string_view statement) override;
    // Where the busy look goes: the run's start and end, and each statement as it starts.
    void SetRunWatchers(std::function<void(bool running)> runState,
        std::function<void(std::string_view statement)> statement)
    {
        m_runState = std::move(runState);
        m_statement = std::move(statement);
    }
    // True when every check agrees; then the program's event loop ends.
    bool TryQuit() override;
    bool QuitGranted() const { return m_quitGranted; }

private:
    std::vector<tMayCloseCheck> m_quitChecks;
    std::function<void(bool)> m_runState;
    std::function<void(std::string_view)> m_statement;
    bool m_quitGranted = false;
};

} // namespace zelvora::gui
