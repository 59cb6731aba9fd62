// The download's exchange: write a unit, read the terminal's reply line,
// write again while it is not accepted.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "link/line_io.h"
#include "link/link_context.h"

namespace appgen::link {

inline constexpr int kWritesPerUnit = 4;
inline constexpr std::size_t kMaxReply = 10;

// Bytes received until CR, 10 bytes or the reply time-out, whichever comes
// first (or a Cancel); a final CR is removed.
std::string readReplyLine(LinkContext& link);

// Writes the unit until the reply is "ACK", at most four times. "FULL",
// four refusals, a port that does not send and a lost line are told to the
// operator; all give false, and so does a Cancel, silently.
bool sendWithAck(LinkContext& link, std::span<const std::uint8_t> unit);

}  // namespace appgen::link
