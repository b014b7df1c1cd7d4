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

// Calls the checkpoint when there is one.
inline void ReachCheckpoint(const tCheckpoint* checkpoint)
{
    if (checkpoint && *checkpoint)
        (*checkpoint)();
}

} // namespace zelvora
