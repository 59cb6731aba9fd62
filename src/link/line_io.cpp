#include "link/line_io.h"

#include "link/frames.h"
#include "link/link_messages.h"
#include "link/operator_messages.h"
#include "link/transfer_cancel.h"

namespace appgen::link {

bool lineDown(LinkContext& link) { return link.port.status() != LineStatus::Up; }

void tellLineDown(LinkContext& link) {
    if (link.port.status() == LineStatus::Lost)
        showError(link.panel, msg::kConnectionLost, Icon::Warning, link.port.lostReason());
}

bool mustStop(LinkContext& link) { return cancelled(link) || lineDown(link); }

bool writeUnit(LinkContext& link, std::span<const std::uint8_t> unit) {
    const std::size_t written = link.port.write(unit);
    if (written == unit.size()) return true;
    if (lineDown(link)) return false;
    link.outputHeld = true;
    const PortTimeouts t = link.port.timeouts();
    const unsigned long long limit =
        static_cast<unsigned long long>(t.writeTotalMultiplier) * unit.size() + t.writeTotalConstant;
    showError(link.panel, msg::kOutputHeld, Icon::Warning,
              connectingDetail(link.opened, link.state.line.baudRate) + ": " +
                  std::to_string(written) + " of " + std::to_string(unit.size()) +
                  " bytes went out within " + std::to_string(limit) +
                  " ms. Something holds the port's output: a stuck adapter or driver, or "
                  "flow control the cable does not carry. Unplug the adapter and try again.");
    return false;
}

LineRead readLine(LinkContext& link, Tick limit, std::size_t keep, WhenFull full) {
    LineRead line;
    const Tick start = link.clock.now();
    for (Tick e = 0; (e = elapsedSince(link.clock, start)) <= limit && !mustStop(link);) {
        // Wait until just past the limit: the line ends when more than the
        // limit has passed.
        const auto b = link.port.readByte(pollSlice(limit - e + 1));
        if (!b) continue;
        const bool stored = line.bytes.size() < keep;
        if (stored) line.bytes.push_back(*b);
        if (!stored && full == WhenFull::IgnoresRest) continue;
        if (*b == kCr || (full == WhenFull::Ends && line.bytes.size() == keep)) {
            line.ended = true;
            break;
        }
    }
    return line;
}

}  // namespace appgen::link
