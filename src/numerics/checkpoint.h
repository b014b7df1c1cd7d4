// Check points of long routines. Between its steps a long routine calls the checkpoint that its
// caller passed; there the program may let window events through, or end the routine at the
// user's request by throwing tInterrupted, which unwinds to the outermost run.
#pragma once

#include <exception>
#include <functional>

namespace zelvora {

using tCheckpoint = std::function<void()>;

inline constexpr const char* InterruptedText = "Abgebrochen (auf Wunsch des Benutzers)";

// A stop the user asked for, thrown from a checkpoint; not a run-time error of the language.
class tInterrupted : public std::exception {
public:
    const char* what() const noexcept override { return InterruptedText; }
};

// Whether the calling thread is a worker of a tWorkerPool. Workers never reach a check point:
// letting window events through and ending a run at the user's request are the run thread's
// business, which reaches the check point between the pool's tasks.
bool IsPoolWorkerThread() noexcept;

// Calls the checkpoint when there is one and the caller is not a pool's worker.
inline void ReachCheckpoint(const tCheckpoint* checkpoint)
{
    if (checkpoint && *checkpoint && !IsPoolWorkerThread())
        (*checkpoint)();
}

} // namespace zelvora
