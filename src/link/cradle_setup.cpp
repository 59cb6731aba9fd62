#include "link/cradle_setup.h"

#include "link/line_io.h"
#include "link/port_choice.h"
#include "link/transfer_cancel.h"

namespace appgen::link {
namespace {

// Each wait in slices short enough for a Cancel or a stop (Ctrl-C) to take
// effect at once; false when either came.
bool settle(LinkContext& link) {
    const Tick start = link.clock.now();
    for (Tick e = 0; (e = elapsedSince(link.clock, start)) < link.timings.settle;) {
        if (mustStop(link)) return false;
        link.clock.sleepFor(pollSlice(link.timings.settle - e));
    }
    return !mustStop(link);
}

bool applyAndSettle(LinkContext& link) {
    link.port.apply(link.state.line);
    return settle(link);
}

// The byte is on the wire before the pause starts, so the pause is the
// cradle's and not the driver's queue.
bool send(LinkContext& link, std::uint8_t byte) {
    if (!writeUnit(link, std::span<const std::uint8_t>(&byte, 1))) return false;
    link.port.drainOutput();
    return true;
}

bool sendAndSettle(LinkContext& link, std::uint8_t byte) { return send(link, byte) && settle(link); }

}  // namespace

std::uint8_t cradleSpeedDigit(std::uint8_t baudIndex) {
    return static_cast<std::uint8_t>('6' - (baudIndex < kBaudChoices ? baudIndex : 0));
}

bool probeCradle(LinkContext& link, std::uint32_t baud) {
    LineSettings& line = link.state.line;
    line.baudRate = baud;
    line.rts = LineMode::Disable;
    bool answered = false;
    if (applyAndSettle(link) && sendAndSettle(link, kProbeByte)) {
        const Tick start = link.clock.now();
        for (Tick e = 0; (e = elapsedSince(link.clock, start)) < link.timings.settle && !mustStop(link);) {
            if (const auto b = link.port.readByte(pollSlice(link.timings.settle - e))) {
                answered = *b == kProbeByte;
                break;
            }
        }
    }

    line.rts = LineMode::Enable;
    // After a Cancel or a stop the port closes; the record keeps RTS on for
    // later transfers.
    if (mustStop(link)) return false;
    return applyAndSettle(link) && answered;
}

bool runCradleSetup(LinkContext& link, std::uint8_t baudIndex) {
    LineSettings& line = link.state.line;
    line.baudRate = 38400;
    line.byteSize = 8;
    line.parity = Parity::None;
    line.stopBits = StopBits::One;

    PortTimeouts t = link.port.timeouts();
    t.readInterval = kMaxTimeout;
    link.port.setTimeouts(t);

    line.dtr = LineMode::Enable;
    line.rts = LineMode::Enable;
    if (!applyAndSettle(link)) return false;

    bool found = false;
    for (const std::uint32_t baud : kProbeOrder) {
        if (probeCradle(link, baud)) {
            found = true;
            break;
        }
        if (mustStop(link)) return false;
    }
    if (!found) return false;

    // A Cancel between the commands leaves RTS on in the record, as a whole
    // set-up would.
    line.rts = LineMode::Disable;
    const bool commanded = [&] {
        if (!applyAndSettle(link) || !sendAndSettle(link, kCradleAttention)) return false;
        // The speed command still goes out at the probed speed; the new speed
        // takes effect with the next apply.
        if (!send(link, cradleSpeedDigit(baudIndex))) return false;
        line.baudRate = baudFromIndex(baudIndex);
        return settle(link) && sendAndSettle(link, kCradleCommit);
    }();
    line.rts = LineMode::Enable;
    if (!commanded || !applyAndSettle(link)) return false;

    line.parity = Parity::None;
    line.byteSize = 8;
    line.outxCtsFlow = false;
    line.outX = false;
    return true;
}

}  // namespace appgen::link
