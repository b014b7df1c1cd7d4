// How the console shows the outcome of a run.
#include "run_report.h"

#include "console_ports.h"

namespace zelvora::cli {

int ReportRun(const tOutermostRunResult& result)
{
    if (result.RunTimeError) {
        PrintText(stderr, result.ErrorText + "\n");
        return ExitRunTimeError;
    }
    if (!result.Success) {
        PrintText(stderr, FailureDisplayText(result.Message, result.LastStatement) + "\n");
        return ExitStatementFailed;
    }
    return ExitOk;
}

} // namespace zelvora::cli
