#include "link/transfer_cancel.h"

#include "link/link_messages.h"

namespace appgen::link {

bool cancelled(LinkContext& link) {
    if (!link.cancelled && link.panel.cancelRequested()) link.cancelled = true;
    return link.cancelled;
}

std::string connectingDetail(const PortAnswer& port, std::uint32_t baud) {
    std::string s = port.device;
    if (!port.name.empty() && port.name != port.device) s += " (" + port.name + ")";
    return s + ", " + std::to_string(baud) + " bit/s";
}

ConnectingNotice::ConnectingNotice(LinkContext& link, const char* caption)
    : ConnectingNotice(link, caption, link.state.line.baudRate) {}

ConnectingNotice::ConnectingNotice(LinkContext& link, const char* caption, std::uint32_t baud)
    : link_(link) {
    if (link.connectingShown) return;
    link.connectingShown = true;
    ProgressWindow r;
    r.caption = caption;
    r.text = msg::kConnecting;
    r.detail = connectingDetail(link.opened, baud);
    link.panel.connectingOpen(r);
}

void ConnectingNotice::close() {
    if (!open_ || !link_.connectingShown) return;
    open_ = false;
    link_.connectingShown = false;
    link_.panel.connectingClose();
}

}  // namespace appgen::link
