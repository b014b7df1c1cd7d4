// The console program as a notebook's kernel. The notebook interrupts a run with SIGINT (to the
// kernel's process group) or with an interrupt request; both reach the run's stop flag. A SIGINT
// while no run is going does nothing.
#include "kernel_mode.h"

#include "ui/kernel/kernel_server.h"
#include "ui/program_start.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>

namespace zelvora::cli {
namespace {

std::atomic<tKernelServer*> interruptTarget { nullptr };

extern "C" void OnKernelInterrupt(int)
{
    if (tKernelServer* server = interruptTarget.load())
        server->InterruptRun();
}

} // namespace

int RunKernel(const char* programPath)
{
    std::ios::sync_with_stdio(false);
    tKernelServer server(std::cin, std::cout, PlatformPathsFromEnvironment(programPath),
        std::filesystem::current_path().string());
    interruptTarget.store(&server);
    struct sigaction action { };
    action.sa_handler = OnKernelInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the request reader goes on reading
    sigaction(SIGINT, &action, nullptr);
    // A write past a file-size limit fails the statement instead of ending the kernel.
    std::signal(SIGXFSZ, SIG_IGN);
    server.Serve();
    std::signal(SIGINT, SIG_IGN);
    interruptTarget.store(nullptr);
    return 0;
}

} // namespace zelvora::cli
