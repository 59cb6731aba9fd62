// The infrared cradle set-up: find the speed the cradle listens at, then tell
// it the speed of the transfer. Command bytes reach the cradle while RTS is
// off; RTS is on otherwise.
#pragma once

#include <cstdint>

#include "link/link_context.h"

namespace appgen::link {

inline constexpr std::uint32_t kProbeOrder[] = {9600, 115200, 38400, 57600, 19200};
inline constexpr std::uint8_t kProbeByte = 0x0F;
inline constexpr std::uint8_t kCradleAttention = 0x07;
inline constexpr std::uint8_t kCradleCommit = 'Q';

// The speed command for a baudRate index: '6' for 115200 down to '2' for 9600.
std::uint8_t cradleSpeedDigit(std::uint8_t baudIndex);

// Leaves the line settings at the configured speed with RTS and DTR on; the
// caller's next apply brings the rest into force. False when no speed answered,
// the operator cancelled or stopped the program, the line was lost or the port
// did not send a command (told); a Cancel or a stop takes effect within 100 ms.
bool runCradleSetup(LinkContext& link, std::uint8_t baudIndex);

// One probe: true only when the first byte heard within the listening time is
// the probe byte echoed.
bool probeCradle(LinkContext& link, std::uint32_t baud);

}  // namespace appgen::link
