// Opening and closing the port around a transfer, with the cradle set-up
// when the transfer goes through the infrared cradle.
#pragma once

#include "link/link_context.h"
#include "link/port_choice.h"

namespace appgen::link {

// Results of opening for a download, as the download returns them.
inline constexpr int kOpened = 1;
inline constexpr int kLineSettingsRejected = 0;
inline constexpr int kOpenFailed = -1;

// Queues 256/1200, 8N1 at the chosen speed, the cradle set-up if asked, the
// line settings applied. Every failure is told and leaves the port closed.
int openForDownload(LinkContext& link, const PortChoice& choice, bool cradle);
// Queues 256/256, the cradle set-up if asked, 8N1 applied, the transfer
// time-outs set. The line settings failing is not told.
bool openForUpload(LinkContext& link, const PortChoice& choice, bool cradle);

// Reads return at once with what has arrived; writes give up after
// 5 ms a byte plus 50 ms.
void setTransferTimeouts(LinkContext& link);

void closeAfterDownload(LinkContext& link);  // received data purged first
void closeAfterUpload(LinkContext& link);

}  // namespace appgen::link
