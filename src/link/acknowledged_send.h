// The download's exchange: write a unit, read the terminal's reply line,
// write again while it is not accepted.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "link/link_context.h"

namespace appgen::link {

inline constexpr int kWritesPerUnit = 4;
inline constexpr std::size_t kMaxReply = 10;

// Bytes received until CR, 10 bytes or the reply time-out, whichever comes
// first (or a Cancel); a final CR is removed.
std::string readReplyLine(LinkContext& link);

// Whether the port has been lost or stopped: no reply can come any more.
bool lineDown(LinkContext& link);
// Tells a lost line to the operator; a stop, which the operator asked for,
// is told once where the transfer ends.
void tellLineDown(LinkContext& link);

// Writes the unit until the reply is "ACK", at most four times. "FULL",
// four refusals and a lost line are told to the operator; all give false,
// and so does a Cancel, silently.
bool sendWithAck(LinkContext& link, std::span<const std::uint8_t> unit);

}  // namespace appgen::link
