#include "link/acknowledged_send.h"

#include "link/frames.h"
#include "link/link_messages.h"
#include "link/operator_messages.h"
#include "link/port_advice.h"
#include "link/transfer_cancel.h"

namespace appgen::link {

std::string readReplyLine(LinkContext& link) {
    std::string reply;
    const Tick limit = link.timings.replyTimeout;
    const Tick start = link.clock.now();
    for (Tick e = 0; (e = elapsedSince(link.clock, start)) <= limit && !lineDown(link) && !cancelled(link);) {
        // Wait until just past the limit: the reply ends when more than the
        // limit has passed.
        const auto b = link.port.readByte(pollSlice(limit - e + 1));
        if (!b) continue;
        reply.push_back(static_cast<char>(*b));
        if (*b == kCr || reply.size() == kMaxReply) break;
    }
    if (!reply.empty() && reply.back() == '\r') reply.pop_back();
    return reply;
}

bool lineDown(LinkContext& link) { return link.port.status() != LineStatus::Up; }

void tellLineDown(LinkContext& link) {
    if (link.port.status() == LineStatus::Lost)
        showError(link.ui, msg::kConnectionLost, ui::Icon::Warning, link.port.lostReason());
}

bool sendWithAck(LinkContext& link, std::span<const std::uint8_t> unit) {
    for (int write = 0; write < kWritesPerUnit; ++write) {
        // A Cancel stops before the next unit, never in the middle of one.
        if (cancelled(link)) return false;
        link.port.write(unit);
        const std::string reply = readReplyLine(link);
        if (reply == "FULL") {
            showError(link.ui, msg::kMemoryFull);
            return false;
        }
        if (reply == "ACK") return true;
        if (cancelled(link)) return false;
        if (lineDown(link)) {
            tellLineDown(link);
            return false;
        }
    }
    showError(link.ui, msg::kDownloadError, ui::Icon::Warning,
              stoppedAnsweringAdvice(link.opened, link.state.line.baudRate, link.viaCradle));
    return false;
}

}  // namespace appgen::link
