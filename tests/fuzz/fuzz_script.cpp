// Runs arbitrary text as a script through a whole session. The run works in a temporary folder that
// is also the home directory, and inputs that could name a file elsewhere (any '/' or '\') are
// passed over, so a script can write nothing outside it. A watchdog asks a run to stop after a
// second, so a long loop ends at its next check point instead of counting as a hang; matrices
// larger than 256 MiB are refused as the program refuses what a machine cannot hold.
#include "ui/session.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

// Stops the session's run when it takes longer than its budget.
class tWatchdog {
public:
    tWatchdog(zelvora::tStopHandle stop, std::chrono::milliseconds budget)
        : m_thread([this, stop, budget] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, budget, [this] { return m_finished; }))
                stop.Request();
        })
    {
    }
    ~tWatchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

// A journal or listing window that keeps nothing.
class tNullView : public zelvora::tTextViewPort {
public:
    void AppendLines(std::string_view, zelvora::tTextStyle) override { }
    void Clear() override { }
    std::string PlainText() const override { return {}; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::filesystem::path home
        = std::filesystem::temp_directory_path() / ("zelvora-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home);
    std::filesystem::current_path(home);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    ::setenv("ZELVORA_MAX_MATRIX_MB", "256", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find_first_of("/\\") != std::string::npos)
        return 0;
    tNullView journal;
    tNullView listing;
    zelvora::tSessionPorts ports { &journal, &listing };
    zelvora::tSession session(ports, "11.12.2026 10:00:00");
    const tWatchdog watchdog(session.StopHandle(), std::chrono::milliseconds(1000));
    session.RunText(text, std::filesystem::current_path().string(), "fuzz.rts");
    return 0;
}
