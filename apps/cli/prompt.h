// The interactive prompt of the console program.
#pragma once

#include "console_ports.h"
#include "ui/session.h"

namespace zelvora::cli {

// Reads statements with line editing and history until QUIT or end of input. Returns the exit
// status.
int RunPrompt(tSession& session, const tConsoleApplication& application);

} // namespace zelvora::cli
