// How the console shows the outcome of a run.
#include "run_report.h"

#include "console_ports.h"

namespace zelvora::cli {

int ReportRun(const tRunOutcome& result)
{
    // The failing statement is the innermost one, in a BATCH file or macro too.
    if (result.RunTimeError) {
        PrintText(stderr, LocatedFailureText(result) + "\n");
        return ExitRunTimeError;
    }
    if (!result.Success) {
        PrintText(stderr, LocatedFailureText(result) + "\n");
        return ExitStatementFailed;
    }
    return ExitOk;
}

} // namespace zelvora::cli
