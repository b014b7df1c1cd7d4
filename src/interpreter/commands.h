// The command table's 22 commands and the handlers that do not need other subsystems.
#pragma once

#include "interpreter/interpreter.h"

#include <chrono>
#include <functional>
#include <optional>

namespace zelvora {

// What the commands need from the rest of the program; absent hooks mean "not available".
struct tCommandHooks {
    // Value of the named variable read as integer; empty when there is no such variable.
    std::function<std::optional<std::int32_t>(std::string_view name)> VariableAsInteger;
    // Sleeps between macro repetitions and repaints the animation windows.
    std::function<void(std::chrono::milliseconds)> Pause;
    // While a macro repeats, the scalar window's value cells are written when the repetitions
    // end or pause (Flush), not at every store; absent: written at every store.
    std::function<void()> HoldScalarTexts;
    std::function<void()> ReleaseScalarTexts;
    std::function<void()> FlushScalarTexts;
};

// Empties the table and registers slot 0 ("---") and the 22 commands in their slot order.
// Commands whose subsystems are not available fail with a message that says so.
void RegisterCommands(tInterpreter& interpreter, tCommandHooks hooks = {});

} // namespace zelvora
