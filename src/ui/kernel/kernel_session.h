// The one program session of a notebook kernel, with the kernel's windows: every use of the
// session's interface by the kernel is here.
#pragma once

#include "text/data_directory.h"
#include "ui/kernel/kernel_windows.h"
#include "ui/run_outcome.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {

class tSession;

class tKernelSession {
public:
    // emit receives the events of a run; it is called on the thread that runs.
    tKernelSession(tKernelEmit emit, const tPlatformPaths& paths, tTableLimits limits = {});
    ~tKernelSession();
    tKernelSession(const tKernelSession&) = delete;
    tKernelSession& operator=(const tKernelSession&) = delete;

    // Runs program text as one outermost run: events for the answers, the values of bare
    // formulas ({"event":"values","formula","text","values":[tables]}), the windows that changed,
    // the pictures and the warnings, in the order they happen. source names the text in places.
    tRunOutcome Run(std::string_view text, const std::string& directory, std::string_view source);
    // The stop flag of the run (safe from any thread and from a signal handler).
    void RequestInterrupt() noexcept;
    // Drops a stop request that came after the run it was meant for had ended.
    void ClearInterrupt() noexcept;
    // Words that complete prefix (Windows-1252).
    std::vector<std::string> Completions(const std::string& prefix);
    // The help of a function, constant, operator or command, as "?name" shows it; nothing when
    // the name is unknown.
    std::optional<std::string> Help(std::string_view name);

private:
    void SendWindows();

    tKernelEmit m_emit;
    tTableLimits m_limits;
    struct tViews;
    std::unique_ptr<tViews> m_views;
    std::unique_ptr<tSession> m_session;
};

} // namespace zelvora
