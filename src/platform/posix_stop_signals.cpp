#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>

#include "platform/stop_signals.h"

namespace appgen::platform {
namespace {

// A signal handler reaches nothing but static storage: the signal and the
// pipe that wakes the waits are kept here, for the one live instance.
volatile std::sig_atomic_t caughtSignal = 0;
int wakePipe[2] = {-1, -1};
struct sigaction previousInt {};
struct sigaction previousTerm {};
struct sigaction previousFileSize {};

extern "C" void onStopSignal(int sig) {
    if (caughtSignal == 0) caughtSignal = sig;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
}

}  // namespace

StopSignals::StopSignals() {
    caughtSignal = 0;
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) wakePipe[0] = wakePipe[1] = -1;
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no restart: a wait in progress returns to look at the pipe
    sigaction(SIGINT, &sa, &previousInt);
    sigaction(SIGTERM, &sa, &previousTerm);
    // Past a file-size limit a write is to fail (EFBIG) and be told, not to
    // end the program between a record's write and its answer.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &previousFileSize);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGXFSZ, &previousFileSize, nullptr);
    for (int& fd : wakePipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

void StopSignals::stopWaitsOf(SystemSerialPort& port) const { port.setStopDescriptor(descriptor()); }
int StopSignals::descriptor() const { return wakePipe[0]; }
int StopSignals::caught() const { return caughtSignal; }
int StopSignals::exitStatus(int otherwise) const {
    return caughtSignal ? 128 + caughtSignal : otherwise;
}

}  // namespace appgen::platform
