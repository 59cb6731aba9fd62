// The link's reads and writes on the port, each written once: a unit written
// whole or the operator told why not, a line read until CR before its
// deadline, and whether the line is still there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "link/link_context.h"

namespace appgen::link {

// Whether the port has been lost or stopped: no reply can come any more.
bool lineDown(LinkContext& link);
// Tells a lost line to the operator; a stop, which the operator asked for,
// is told once where the transfer ends.
void tellLineDown(LinkContext& link);
// Whether a wait is to end now: the operator's Cancel, a stop (Ctrl-C) or a
// lost line.
bool mustStop(LinkContext& link);

// Writes the unit. False when the port did not take all of it: a port whose
// output is held past the write time-outs is told to the operator here; a
// line that is down is left to the caller, which tells it with the rest.
bool writeUnit(LinkContext& link, std::span<const std::uint8_t> unit);

// What readLine() gathered. `ended`: the CR came, or a full line ended it,
// before the deadline.
struct LineRead {
    std::vector<std::uint8_t> bytes;
    bool ended = false;
};

// When `keep` bytes are stored: the line ends there; or the bytes up to the
// CR are read and dropped; or every later byte, a CR too, is dropped, so only
// the deadline ends it (the upload's connection reply).
enum class WhenFull { Ends, DropsRest, IgnoresRest };

// Bytes received until a CR (kept as the last byte) or more than `limit` ms
// after the call, polled in slices short enough for a Cancel or a stop to end
// it at once.
LineRead readLine(LinkContext& link, Tick limit, std::size_t keep, WhenFull full);

}  // namespace appgen::link
