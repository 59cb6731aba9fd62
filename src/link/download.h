// Program and lookup download: a handshake, then one unit after another, each
// written until the terminal acknowledges it, with the operator asked whether
// to try again after a failed attempt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/link_context.h"
#include "link/lookup_file.h"
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
// What to do with the file the operator picked for a lookup download: send it
// as it is, send lines made from it instead (a spreadsheet export converted
// first), send other bytes as if they were the file (the file converted to
// Windows-1251), or stop without a transfer.
struct LookupFileUse {
    enum class Action { SendFile, SendLines, SendBytes, Stop } action = Action::SendFile;
    std::vector<std::string> lines;  // for SendLines: the records, without line ends
    std::string bytes{};             // for SendBytes: the file's content to send instead
    // For Stop: the error to show, when the filter has not told the operator
    // itself (the text, then the detail, such as the line and column).
    std::string refusal{};
    std::string refusalDetail{};
};
using LookupFileFilter = std::function<LookupFileUse(const std::string& path)>;

// Commands 3040 and 3041: the operator picks the file in an open-file dialog;
// `open` reads it; `filter`, when given, decides what becomes of it first.
int downloadLookup(LinkContext& link, const PortChoice& choice, bool cradle, const LookupFileOpener& open,
                   const LookupFileFilter& filter = {});
// A lookup download of lines held in memory, each sent as a file line is.
int downloadLookupLines(LinkContext& link, const PortChoice& choice, bool cradle,
                        const std::vector<std::string>& lines);

}  // namespace appgen::link
