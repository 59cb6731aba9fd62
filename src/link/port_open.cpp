#include "link/port_open.h"

#include <optional>

#include "link/cradle_setup.h"
#include "link/link_messages.h"
#include "link/operator_messages.h"
#include "link/port_advice.h"
#include "link/transfer_cancel.h"

namespace appgen::link {
namespace {

constexpr std::size_t kInputQueue = 256;
constexpr std::size_t kDownloadOutputQueue = 1200;
constexpr std::size_t kUploadOutputQueue = 256;

// A transfer starts with the open: earlier Cancel presses are forgotten, and
// the messages learn which device this is.
OpenResult openPort(LinkContext& link, const PortChoice& choice, bool cradle) {
    link.panel.transferStarts();
    link.cancelled = false;
    link.outputHeld = false;
    link.viaCradle = cradle;
    OpenResult opened = link.port.open(choice.name);
    link.opened = opened.port;
    if (link.opened.device.empty()) link.opened = {choice.name, choice.name, PortSource::Given};
    return opened;
}

void set8N1(LineSettings& line, u8 baudIndex) {
    line.baudRate = baudFromIndex(baudIndex);
    line.byteSize = 8;
    line.parity = Parity::None;
    line.stopBits = StopBits::One;
}

// A Cancel ends the transfer without a word, a stop with the word the
// transfer ends with (under its own caption); a lost line says why.
void tellSetupFailure(LinkContext& link, const char* text, const char* stopCaption, Icon stopIcon) {
    if (link.cancelled) return;
    switch (link.port.status()) {
        case LineStatus::Stopped: {
            link.panel.tell({stopCaption, msg::kStopped, stopIcon});
            return;
        }
        case LineStatus::Lost: showError(link.panel, text, Icon::Warning, link.port.lostReason()); return;
        case LineStatus::Up: break;
    }
    // A port that did not send a command has been told already.
    if (!link.outputHeld) showError(link.panel, text);
}

}  // namespace

int openForDownload(LinkContext& link, const PortChoice& choice, bool cradle) {
    const OpenResult opened = openPort(link, choice, cradle);
    if (!opened.ok) {
        showError(link.panel, msg::kCantOpenPort, Icon::Warning, openFailureText(choice.name, opened));
        return kOpenFailed;
    }
    link.port.setQueueSizes(kInputQueue, kDownloadOutputQueue);
    set8N1(link.state.line, choice.baudIndex);
    // The set-up takes seconds: the connecting window shows from its start
    // and stays up for the handshake.
    std::optional<ConnectingNotice> connecting;
    if (cradle) connecting.emplace(link, msg::kProgressCaption, baudFromIndex(choice.baudIndex));
    if (cradle && !runCradleSetup(link, choice.baudIndex)) {
        connecting->close();
        tellSetupFailure(link, msg::kFailedToSetIr, msg::kError, Icon::Warning);
        link.port.close();
        return kOpenFailed;
    }
    if (!link.port.apply(link.state.line)) {
        if (connecting) connecting->close();
        showError(link.panel, msg::kCommStateError);
        link.port.close();
        return kLineSettingsRejected;
    }
    if (connecting) connecting->keepOpen();
    return kOpened;
}

bool openForUpload(LinkContext& link, const PortChoice& choice, bool cradle) {
    const OpenResult opened = openPort(link, choice, cradle);
    if (!opened.ok) {
        showError(link.panel, msg::kFailToOpenPort, Icon::None, openFailureText(choice.name, opened));
        return false;
    }
    link.port.setQueueSizes(kInputQueue, kUploadOutputQueue);
    std::optional<ConnectingNotice> connecting;
    if (cradle) connecting.emplace(link, msg::kUploadData, baudFromIndex(choice.baudIndex));
    if (cradle && !runCradleSetup(link, choice.baudIndex)) {
        link.port.close();
        connecting->close();
        tellSetupFailure(link, msg::kCantSetIr, msg::kUploadData, Icon::None);
        return false;
    }
    set8N1(link.state.line, choice.baudIndex);
    if (!link.port.apply(link.state.line)) {
        link.port.close();
        return false;
    }
    setTransferTimeouts(link);
    if (connecting) connecting->keepOpen();
    return true;
}

void setTransferTimeouts(LinkContext& link) {
    PortTimeouts t;
    t.readInterval = kMaxTimeout;
    t.readTotalMultiplier = 0;
    t.readTotalConstant = 0;
    t.writeTotalMultiplier = 5;
    t.writeTotalConstant = 50;
    link.port.setTimeouts(t);
}

// The last bytes written (the upload's final answer) leave at the transfer's
// speed before the port goes back to its own settings.
void closeAfterDownload(LinkContext& link) {
    link.port.drainOutput();
    link.port.purgeInput();
    link.port.close();
}

void closeAfterUpload(LinkContext& link) {
    link.port.drainOutput();
    link.port.close();
}

}  // namespace appgen::link
