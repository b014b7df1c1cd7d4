// The SIGINT handler. A signal handler reaches its target only through a variable of static
// duration; it is set and cleared by the one tInterruptOnCtrlC of the program.
#include "interrupt.h"

#include <atomic>
#include <csignal>

namespace zelvora::cli {
namespace {

std::atomic<tInterpreter*> interruptTarget { nullptr };

extern "C" void OnInterrupt(int)
{
    if (tInterpreter* interpreter = interruptTarget.load())
        interpreter->RequestInterrupt();
    std::signal(SIGINT, SIG_DFL); // the next Ctrl-C ends the program
}

} // namespace

tInterruptOnCtrlC::tInterruptOnCtrlC(tInterpreter& interpreter)
{
    interruptTarget.store(&interpreter);
    struct sigaction action { };
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

tInterruptOnCtrlC::~tInterruptOnCtrlC()
{
    std::signal(SIGINT, SIG_DFL);
    interruptTarget.store(nullptr);
}

} // namespace zelvora::cli
