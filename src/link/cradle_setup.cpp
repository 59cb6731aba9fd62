#include "link/cradle_setup.h"

#include "link/port_choice.h"

namespace appgen::link {
namespace {

void applyAndSettle(LinkContext& link) {
    link.port.apply(link.state.line);
    waitAtLeast(link.clock, link.timings.settle);
}

void sendAndSettle(LinkContext& link, std::uint8_t byte) {
    link.port.write(std::span<const std::uint8_t>(&byte, 1));
    waitAtLeast(link.clock, link.timings.settle);
}

}  // namespace

std::uint8_t cradleSpeedDigit(std::uint8_t baudIndex) {
    return static_cast<std::uint8_t>('6' - (baudIndex < kBaudChoices ? baudIndex : 0));
}

bool probeCradle(LinkContext& link, std::uint32_t baud) {
    LineSettings& line = link.state.line;
    line.baudRate = baud;
    line.rts = LineMode::Disable;
    applyAndSettle(link);
    sendAndSettle(link, kProbeByte);

    bool answered = false;
    const Tick start = link.clock.now();
    for (Tick e = 0; (e = elapsedSince(link.clock, start)) < link.timings.settle;) {
        if (const auto b = link.port.readByte(link.timings.settle - e)) {
            answered = *b == kProbeByte;
            break;
        }
    }

    line.rts = LineMode::Enable;
    applyAndSettle(link);
    return answered;
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
    applyAndSettle(link);

    bool found = false;
    for (const std::uint32_t baud : kProbeOrder) {
        if (probeCradle(link, baud)) {
            found = true;
            break;
        }
    }
    if (!found) return false;

    line.rts = LineMode::Disable;
    applyAndSettle(link);
    sendAndSettle(link, kCradleAttention);
    // The speed command still goes out at the probed speed; the new speed
    // takes effect with the next apply.
    const std::uint8_t digit = cradleSpeedDigit(baudIndex);
    link.port.write(std::span<const std::uint8_t>(&digit, 1));
    line.baudRate = baudFromIndex(baudIndex);
    waitAtLeast(link.clock, link.timings.settle);
    sendAndSettle(link, kCradleCommit);
    line.rts = LineMode::Enable;
    applyAndSettle(link);

    line.parity = Parity::None;
    line.byteSize = 8;
    line.outxCtsFlow = false;
    line.outX = false;
    return true;
}

}  // namespace appgen::link
