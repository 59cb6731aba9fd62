// The infrared cradle in front of the terminal. It listens at one speed;
// a byte sent at another arrives garbled and is lost. While the terminal is
// idle it takes its command bytes: the probe 0x0F (echoed), 0x07, a speed
// digit '2'..'6', and 'Q', which switches it to the new speed.
#pragma once

#include <cstdint>
#include <optional>

#include "event_log.h"
#include "wire.h"

namespace emulator {

class Cradle {
public:
    Cradle(long baud, bool noise, Wire& wire, EventLog& log)
        : speed_(baud), noise_(noise), wire_(wire), log_(log) {}

    // The byte as the terminal behind the cradle hears it, or nothing when
    // it was lost or was a command for the cradle.
    std::optional<std::uint8_t> pass(std::uint8_t b, bool terminalIdle);
    long speed() const { return speed_; }

private:
    enum class State { Transparent, Command, Attention, SpeedGiven };

    long speed_;
    bool noise_;
    Wire& wire_;
    EventLog& log_;
    State state_ = State::Transparent;
    long pending_ = 0;
};

}  // namespace emulator
