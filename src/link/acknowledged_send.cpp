#include "link/acknowledged_send.h"

#include "link/frames.h"
#include "link/link_messages.h"
#include "link/operator_messages.h"
#include "link/port_advice.h"
#include "link/transfer_cancel.h"

namespace appgen::link {

std::string readReplyLine(LinkContext& link) {
    const LineRead line = readLine(link, link.timings.replyTimeout, kMaxReply, WhenFull::Ends);
    std::string reply(line.bytes.begin(), line.bytes.end());
    if (!reply.empty() && reply.back() == '\r') reply.pop_back();
    return reply;
}

bool sendWithAck(LinkContext& link, std::span<const std::uint8_t> unit) {
    for (int write = 0; write < kWritesPerUnit; ++write) {
        // A Cancel stops before the next unit, never in the middle of one.
        if (cancelled(link)) return false;
        if (!writeUnit(link, unit)) {
            tellLineDown(link);
            return false;
        }
        const std::string reply = readReplyLine(link);
        if (reply == "FULL") {
            showError(link.panel, msg::kMemoryFull);
            return false;
        }
        if (reply == "ACK") return true;
        if (cancelled(link)) return false;
        if (lineDown(link)) {
            tellLineDown(link);
            return false;
        }
    }
    showError(link.panel, msg::kDownloadError, Icon::Warning,
              stoppedAnsweringAdvice(link.opened, link.state.line.baudRate, link.viaCradle));
    return false;
}

}  // namespace appgen::link
