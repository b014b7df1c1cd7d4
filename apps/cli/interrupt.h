// Signals of the console program. Ctrl-C during a run asks it to stop before its next statement
// (a long routine at its next check point); a second Ctrl-C in the same run ends the program at
// once. At the prompt Ctrl-C drops the line being typed. SIGTERM and SIGHUP stop a run and let
// the program end in order, writing the journal and the settings.
#pragma once

#include "ui/session.h"

#include <cstdio>

namespace zelvora::cli {

class tConsoleSignals {
public:
    explicit tConsoleSignals(tStopHandle stop);
    ~tConsoleSignals();
    tConsoleSignals(const tConsoleSignals&) = delete;
    tConsoleSignals& operator=(const tConsoleSignals&) = delete;

    // While a tRunning lives, Ctrl-C stops the run instead of dropping a line.
    class tRunning {
    public:
        tRunning();
        ~tRunning();
        tRunning(const tRunning&) = delete;
        tRunning& operator=(const tRunning&) = delete;
    };

    // True once after a Ctrl-C arrived while no run was going.
    static bool TakeLineInterrupt();
    // The number of the SIGTERM or SIGHUP that asked the program to end; 0 when none came.
    static int EndSignal();

private:
    tStopHandle m_stop;
};

// Reads one character for the line editor: a UTF-8 sequence as its code point. Gives EOF at the
// end of input, and when a signal interrupts the read that asks to drop the line or to end.
int ReadKeyUnlessSignalled(std::FILE* stream);

} // namespace zelvora::cli
