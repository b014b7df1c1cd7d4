// The console program as a notebook's kernel (--kernel).
#pragma once

namespace zelvora::cli {

// Serves the kernel protocol on stdin and stdout until a shutdown request or the end of the
// input; Ctrl-C (SIGINT) stops the running run and never ends the program. Returns the exit
// status.
int RunKernel(const char* programPath);

} // namespace zelvora::cli
