// The interactive prompt of the console program.
#pragma once

#include "console_ports.h"
#include "ui/session.h"

namespace zelvora::cli {

// Reads statements with line editing and history until QUIT or end of input; the journal view's
// text goes to the journal file of this run statement by statement. Returns the exit status.
int RunPrompt(
    tSession& session, const tConsoleApplication& application, tConsoleTextView& journalView);

} // namespace zelvora::cli
