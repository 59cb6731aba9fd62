// What every transfer works with: the port, the tick clock, the operator's panel,
// the limits, and the state that lives for the whole run of the program.
#pragma once

#include <string>

#include "link/operator_panel.h"
#include "link/port_directory.h"
#include "link/serial_port.h"
#include "link/tick_clock.h"

namespace appgen::link {

// Owned by the caller for the whole run and never reset: each transfer
// changes only the fields it names, so a cradle set-up's DTR and RTS stay on
// for later transfers.
struct LinkState {
    LineSettings line;
    std::string lastLookupFile;  // offered again by the next lookup download's dialog
};

// Named limits of the protocols, in milliseconds.
struct LinkTimings {
    Tick replyTimeout = 3000;   // a reply line of the download, the answer to "READ\r"
    Tick recordTimeout = 500;   // one record line of the upload
    Tick settle = 100;          // each wait of the cradle set-up and its probe's listening time
};

struct LinkContext {
    SerialPort& port;
    TickClock& clock;
    OperatorPanel& panel;
    LinkState& state;
    LinkTimings timings{};
    // Set by the open, for the messages: the device and where it came from,
    // and whether the transfer goes through the cradle.
    PortAnswer opened{};
    bool viaCradle = false;
    // The operator's Cancel, once seen (cancelled() in transfer_cancel.h).
    bool cancelled = false;
    // The connecting window is up: the cradle set-up hands it on to the
    // first handshake, so it stays up from the set-up to the first answer.
    bool connectingShown = false;
    // A write did not finish before its time-outs; told where it happened.
    bool outputHeld = false;
};

}  // namespace appgen::link
