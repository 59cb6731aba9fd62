// The operator's Cancel during a transfer, and the window that shows the
// transfer is still waiting for the terminal's first answer.
#pragma once

#include <string>

#include "link/link_context.h"

namespace appgen::link {

// No single wait lasts longer than this, so a Cancel takes effect at once
// even in the middle of a 3-second reply time-out.
inline constexpr Tick kCancelPoll = 100;

// Whether the operator pressed Cancel; once seen, it holds for the rest of
// the transfer.
bool cancelled(LinkContext& link);
// What to wait for at once of `left` milliseconds: at most kCancelPoll.
inline Tick pollSlice(Tick left) { return left < kCancelPoll ? left : kCancelPoll; }

// "/dev/ttyUSB0 (COM3), 115200 bit/s": what the connecting window names.
std::string connectingDetail(const PortAnswer& port, std::uint32_t baud);

// "Соединение с терминалом..." with its Cancel button, from construction
// until close() or the end of the scope. A window already up (handed on by
// keepOpen()) is taken over rather than shown again.
class ConnectingNotice {
public:
    ConnectingNotice(LinkContext& link, const char* caption);
    // Names `baud`, the transfer's speed, while the line runs at another
    // (the cradle set-up probes the cradle's speeds).
    ConnectingNotice(LinkContext& link, const char* caption, std::uint32_t baud);
    ~ConnectingNotice() { close(); }
    ConnectingNotice(const ConnectingNotice&) = delete;
    ConnectingNotice& operator=(const ConnectingNotice&) = delete;
    void close();
    // Leaves the window up for the next notice of this transfer.
    void keepOpen() { open_ = false; }

private:
    LinkContext& link_;
    bool open_ = true;
};

}  // namespace appgen::link
