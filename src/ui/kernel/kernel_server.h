// The kernel protocol of the console program (zelvora-cli --kernel): one request per input line
// and one event per output line, each a JSON object; one session for the life of the process.
//
// Requests: {"id", "type":"execute", "code", "source"?}, {"id", "type":"complete", "code",
// "cursor"?}, {"id", "type":"inspect", "code", "cursor"?}, {"id", "type":"shutdown"} and
// {"type":"interrupt"}. Cursors count characters (Unicode code points) from 0. An interrupt
// stops the running run and the runs still waiting, and is not answered.
// Events name the request's id: during a run "output", "values", "variable", "picture" and
// "warning" (see tKernelSession), then one "done" per request with "status" "ok" or "error".
// The first line out is {"event":"ready","protocol":1}. See docs/kernel-protocol.md.
#pragma once

#include "text/json.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace zelvora {

class tKernelSession;
struct tPlatformPaths;

// Requests longer than this are refused (and read to their end without being kept).
inline constexpr std::size_t MaxRequestBytes = 16 * 1024 * 1024;

class tKernelServer {
public:
    // directory: where relative file names of the runs resolve.
    tKernelServer(
        std::istream& in, std::ostream& out, const tPlatformPaths& paths, std::string directory);
    ~tKernelServer();
    tKernelServer(const tKernelServer&) = delete;
    tKernelServer& operator=(const tKernelServer&) = delete;

    // Answers requests until a shutdown request or the end of the input.
    void Serve();
    // Stops the running run, if one runs; safe from a signal handler.
    void InterruptRun() noexcept;

private:
    struct tRequest {
        tJsonValue Id;
        std::string Type;
        tJsonValue Body;
        std::string Fault; // why the line is no request
        bool Cancelled = false; // an interrupt came before it ran
        bool End = false; // the input ended
    };

    void ReadRequests();
    void Queue(tRequest request);
    void CancelWaitingAndRunning();
    tRequest NextRequest();
    // The request's code as program text and its cursor; refuses the request (and gives nothing)
    // when either is missing or of the wrong kind.
    struct tCodeAtCursor {
        std::string Text;
        std::size_t Cursor = 0;
    };
    std::optional<tCodeAtCursor> CodeAtCursor(const tRequest& request);
    void Execute(const tRequest& request);
    void Complete(const tRequest& request);
    void Inspect(const tRequest& request);
    void Emit(const tJsonValue& id, const tJsonValue& event);
    void Done(const tJsonValue& id, tJsonValue fields);
    void Refuse(const tJsonValue& id, std::string_view message);

    std::istream& m_in;
    std::ostream& m_out;
    std::string m_directory;
    std::unique_ptr<tKernelSession> m_session;
    tJsonValue m_currentId; // of the request being answered, for the session's events

    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<tRequest> m_waiting;
    std::atomic<bool> m_running { false };
    std::atomic<bool> m_interrupted { false }; // during the current run
};

} // namespace zelvora
