// Ctrl-C, Ctrl-Break and the console's closing on Windows. The system calls
// the handler on a thread of its own; the serial port's waits watch an event
// that the handler sets.
#include <windows.h>

#include <atomic>
#include <csignal>

#include "platform/stop_signals.h"

namespace appgen::platform {
namespace {

// Kept for the whole process: a handler still running as the instance goes
// must not find its events closed.
std::atomic<int> caughtSignal{0};
HANDLE stopEvent = nullptr;  // set at the first stop
HANDLE doneEvent = nullptr;  // set when the instance goes

// The system ends the process as soon as the handler of a closing console
// returns, and at the latest after 5 s: the transfer has that long to end.
constexpr DWORD kCloseGraceMs = 4500;

BOOL WINAPI onConsoleEvent(DWORD type) {
    int sig = 0;
    switch (type) {
        case CTRL_C_EVENT: sig = SIGINT; break;
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT: sig = SIGTERM; break;
        default: return FALSE;
    }
    int none = 0;
    caughtSignal.compare_exchange_strong(none, sig);
    SetEvent(stopEvent);
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) WaitForSingleObject(doneEvent, kCloseGraceMs);
    return TRUE;
}

}  // namespace

StopSignals::StopSignals() {
    if (!stopEvent) stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!doneEvent) doneEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    caughtSignal = 0;
    ResetEvent(stopEvent);
    ResetEvent(doneEvent);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

StopSignals::~StopSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    SetEvent(doneEvent);
}

void StopSignals::stopWaitsOf(SystemSerialPort& port) const { port.setStopEvent(stopEvent); }
int StopSignals::caught() const { return caughtSignal; }
int StopSignals::exitStatus(int otherwise) const {
    const int sig = caughtSignal;
    return sig ? 128 + sig : otherwise;
}

}  // namespace appgen::platform
