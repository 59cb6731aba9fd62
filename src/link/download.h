// Program and lookup download: a handshake, then one unit after another, each
// written until the terminal acknowledges it, with the operator asked whether
// to try again after a failed attempt.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "link/link_context.h"
#include "link/port_choice.h"

namespace appgen::link {

// Results of a download.
inline constexpr int kDownloadOk = 1;
inline constexpr int kDownloadFailed = 0;
inline constexpr int kDownloadPortFailed = -1;

// Produces the 20000-byte program image; called once per attempt, after the
// handshake, since each attempt compiles the project anew.
using ImageSource = std::function<std::vector<std::uint8_t>()>;

// Commands 3020 (direct) and 3021 (cradle).
int downloadProgram(LinkContext& link, const PortChoice& choice, bool cradle,
                    const ImageSource& compile);
// Commands 3040 and 3041: the operator picks the file in an open-file dialog.
int downloadLookup(LinkContext& link, const PortChoice& choice, bool cradle);

}  // namespace appgen::link
