// How the console shows the outcome of a run, and the exit status it maps to.
#pragma once

#include "ui/session.h"

namespace zelvora::cli {

enum tExitStatus : int {
    ExitOk = 0,
    ExitStatementFailed = 1,
    ExitRunTimeError = 2,
    ExitUsage = 64
};

// Prints a failure on stderr (message, line break, quoted statement; or the run-time error's text)
// and returns the exit status for it.
int ReportRun(const tRunOutcome& result);

} // namespace zelvora::cli
