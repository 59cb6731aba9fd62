#include "cradle.h"

namespace emulator {
namespace {

long speedOfDigit(std::uint8_t d) {
    switch (d) {
        case '2': return 9600;
        case '3': return 19200;
        case '4': return 38400;
        case '5': return 57600;
        case '6': return 115200;
        default: return 0;
    }
}

}  // namespace

std::optional<std::uint8_t> Cradle::pass(std::uint8_t b, bool terminalIdle) {
    const bool commandable = state_ != State::Transparent || terminalIdle;
    const long line = wire_.lineBaud();
    if (line != speed_) {
        log_("cradle lost 0x%02X sent at %ld (listening at %ld)", b, line, speed_);
        if (noise_ && commandable && b == 0x0F) wire_.send(std::string(1, '\0'));
        return std::nullopt;
    }
    if (!commandable || (state_ == State::Transparent && b != 0x0F && b != 0x07)) return b;

    if (b == 0x0F) {
        log_("cradle probe answered at %ld", speed_);
        wire_.send(std::string(1, '\x0F'));
        state_ = State::Command;
    } else if (b == 0x07) {
        log_("cradle command 0x07");
        state_ = State::Attention;
    } else if (state_ == State::Attention && speedOfDigit(b)) {
        pending_ = speedOfDigit(b);
        log_("cradle speed command '%c' (%ld)", b, pending_);
        state_ = State::SpeedGiven;
    } else if (state_ == State::SpeedGiven && b == 'Q') {
        speed_ = pending_;
        log_("cradle switched to %ld", speed_);
        state_ = State::Transparent;
    } else {
        log_("cradle ignored command byte 0x%02X", b);
    }
    return std::nullopt;
}

}  // namespace emulator
