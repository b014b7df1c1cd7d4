// How the console shows the outcome of a run.
#include "run_report.h"

#include "console_ports.h"

namespace zelvora::cli {

int ReportRun(const tOutermostRunResult& result)
{
    // The failing statement is the innermost one, in a BATCH file or macro too.
    const tStatementPlace place
        = result.FailurePlace.value_or(tStatementPlace { {}, 0, result.LastStatement });
    if (result.RunTimeError) {
        PrintText(stderr, LocatedFailureText(result.ErrorText, place) + "\n");
        return ExitRunTimeError;
    }
    if (!result.Success) {
        PrintText(stderr, LocatedFailureText(result.Message, place) + "\n");
        return ExitStatementFailed;
    }
    return ExitOk;
}

} // namespace zelvora::cli
