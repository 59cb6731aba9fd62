// terminal-emulator: our own stand-in for the terminal (and its infrared
// cradle) at the far end of a pseudo-terminal, for end-to-end tests and
// benchmarks. Prints the slave's path on the first line of stdout.
#include <sys/prctl.h>

#include <cstdio>

#include "event_log.h"
#include "options.h"
#include "terminal.h"
#include "wire.h"

int main(int argc, char** argv) {
    const auto options = emulator::parseOptions(argc, argv);
    if (!options) return 2;
    // Paced bytes are timed to tens of microseconds; the default 50 us slack
    // of every sleep would add up to a visible share of the wire time.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    emulator::Wire wire;
    if (!wire.open()) return 1;
    wire.setPace(options->paceBaud);
    wire.setCapture(options->capture);
    emulator::EventLog log(options->log);
    std::printf("%s\n", wire.slavePath().c_str());
    std::fflush(stdout);
    emulator::Terminal terminal(*options, wire, log);
    return terminal.run();
}
