// The signal handlers. A handler reaches its target only through variables of static duration;
// they are set and cleared by the one tConsoleSignals of the program.
#include "interrupt.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace zelvora::cli {
namespace {

std::atomic<const tStopHandle*> interruptTarget { nullptr };
volatile std::sig_atomic_t running = 0;
volatile std::sig_atomic_t interruptsInRun = 0;
volatile std::sig_atomic_t lineInterrupted = 0;
volatile std::sig_atomic_t endSignal = 0;

extern "C" void OnInterrupt(int)
{
    if (!running) {
        lineInterrupted = 1;
        return;
    }
    if (interruptsInRun != 0) { // a routine that does not stop: end the program
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
        return;
    }
    interruptsInRun = 1;
    if (const tStopHandle* stop = interruptTarget.load())
        stop->Request();
}

extern "C" void OnEndRequest(int signal)
{
    endSignal = signal;
    if (const tStopHandle* stop = interruptTarget.load())
        stop->Request();
}

void Install(int signal, void (*handler)(int))
{
    struct sigaction action { };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a waiting read returns, so the prompt can react
    sigaction(signal, &action, nullptr);
}

// Reads one byte; false at the end of input, on an error, or when a signal asks to drop the
// line or to end.
bool ReadByte(int fd, unsigned char& byte)
{
    while (true) {
        const ssize_t n = read(fd, &byte, 1);
        if (n == 1)
            return true;
        if (n == 0 || errno != EINTR || lineInterrupted || endSignal)
            return false;
    }
}

} // namespace

tConsoleSignals::tConsoleSignals(tStopHandle stop)
    : m_stop(stop)
{
    interruptTarget.store(&m_stop);
    Install(SIGINT, OnInterrupt);
    Install(SIGTERM, OnEndRequest);
    Install(SIGHUP, OnEndRequest);
    // A write past a file-size limit fails and is reported as the statement's failure (the old
    // file stays) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
}

tConsoleSignals::~tConsoleSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    interruptTarget.store(nullptr);
}

tConsoleSignals::tRunning::tRunning()
{
    interruptsInRun = 0;
    running = 1;
}

tConsoleSignals::tRunning::~tRunning()
{
    running = 0;
    interruptsInRun = 0;
}

bool tConsoleSignals::TakeLineInterrupt()
{
    const bool interrupted = lineInterrupted != 0;
    lineInterrupted = 0;
    return interrupted;
}

int tConsoleSignals::EndSignal()
{
    return endSignal;
}

int ReadKeyUnlessSignalled(std::FILE* stream)
{
    const int fd = fileno(stream);
    unsigned char lead = 0;
    if (!ReadByte(fd, lead))
        return EOF;
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (more == 0)
        return lead;
    int code = lead & (0x3F >> more);
    for (int i = 0; i < more; ++i) {
        unsigned char next = 0;
        if (!ReadByte(fd, next))
            return EOF;
        if ((next & 0xC0) != 0x80)
            return next; // not UTF-8: the byte as it is
        code = (code << 6) | (next & 0x3F);
    }
    return code;
}

} // namespace zelvora::cli
