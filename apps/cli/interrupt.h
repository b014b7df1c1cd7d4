// Ctrl-C in the console: the first one asks the running statements to stop before the next
// statement; a second one ends the program, for a single routine that runs too long.
#pragma once

#include "interpreter/interpreter.h"

namespace zelvora::cli {

class tInterruptOnCtrlC {
public:
    explicit tInterruptOnCtrlC(tInterpreter& interpreter);
    ~tInterruptOnCtrlC();
    tInterruptOnCtrlC(const tInterruptOnCtrlC&) = delete;
    tInterruptOnCtrlC& operator=(const tInterruptOnCtrlC&) = delete;
};

} // namespace zelvora::cli
