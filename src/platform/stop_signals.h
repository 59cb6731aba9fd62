// The operator's Ctrl-C and the system's request to end (SIGINT, SIGTERM; on
// Windows Ctrl-C, Ctrl-Break and the console window's closing), caught while
// a transfer runs so that it ends in order: every acknowledged record in its
// file, the port released. The program then exits with the usual status for
// the signal (130 for Ctrl-C, 143 for the others).
#pragma once

#include "platform/system_serial_port.h"

namespace appgen::platform {

class StopSignals {
public:
    // Catches the signals until destroyed; one instance at a time.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Has the port's waits end, and the port turn Stopped, once a signal came.
    void stopWaitsOf(SystemSerialPort& port) const;
#ifndef _WIN32
    // Turns readable once a signal came (for the serial port's waits).
    int descriptor() const;
#endif
    // The signal that came (SIGINT for Ctrl-C), 0 if none.
    int caught() const;
    // 128 + the signal when one came, else otherwise.
    int exitStatus(int otherwise) const;
};

}  // namespace appgen::platform
