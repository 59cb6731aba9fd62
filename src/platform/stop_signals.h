// The operator's Ctrl-C and the system's request to end (SIGINT, SIGTERM),
// caught while a transfer runs so that it ends in order: every acknowledged
// record in its file, the port released. The program then exits with the
// usual status for the signal (130, 143).
#pragma once

namespace appgen::platform {

class StopSignals {
public:
    // Catches the signals until destroyed; one instance at a time.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Turns readable once a signal came (for the serial port's waits).
    int descriptor() const;
    // The signal that came, 0 if none.
    int caught() const;
    // 128 + the signal when one came, else otherwise.
    int exitStatus(int otherwise) const;
};

}  // namespace appgen::platform
