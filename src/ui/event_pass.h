// Window events in the middle of a long statement: at most one pass per interval, never nested,
// so that the check points of long routines keep the windows alive without slowing them down.
#pragma once

#include "ports/command_window_port.h"

#include <chrono>

namespace zelvora {

class tEventPass {
public:
    static constexpr std::chrono::milliseconds DefaultInterval { 30 };

    explicit tEventPass(
        tApplicationPort* application, std::chrono::milliseconds interval = DefaultInterval);

    // Lets the windows process their events when the interval has passed since the last pass (or
    // since Restart); a check point reached from inside a pass lets nothing through.
    void Reach();
    // The interval counts from now (a run starts).
    void Restart();

private:
    tApplicationPort* m_application;
    std::chrono::milliseconds m_interval;
    std::chrono::steady_clock::time_point m_last;
    bool m_inside = false;
};

} // namespace zelvora
