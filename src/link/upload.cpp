#include "link/upload.h"

#include <string>
#include <vector>

#include "link/acknowledged_send.h"
#include "link/frames.h"
#include "link/link_messages.h"
#include "link/operator_messages.h"
#include "link/port_open.h"
#include "link/transfer_cancel.h"

namespace appgen::link {
namespace {

constexpr int kTimedOutRequests = 3;   // a time-out after this many more requests ends it
constexpr int kWrongReplies = 5;       // a wrong reply after this many more requests ends it
constexpr int kLineTimeouts = 10;      // the next time-out in a row ends the records
constexpr std::size_t kMaxConnectReply = 10;
constexpr std::size_t kLineBuffer = 255;
constexpr int kSequenceModulus = 10;

const std::vector<std::uint8_t> kRead = {'R', 'E', 'A', 'D', '\r'};
const std::vector<std::uint8_t> kAck = {'A', 'C', 'K', '\r'};
const std::vector<std::uint8_t> kNak = {'N', 'A', 'K', '\r'};
const std::vector<std::uint8_t> kOver = {'O', 'V', 'E', 'R', '\r'};

void tell(LinkContext& link, const char* caption, const std::string& text) {
    ui::MessageBoxRequest r;
    r.caption = caption;
    r.text = text;
    link.ui.messageBox(r);
}

enum class Connection { Stands, TimedOut, Refused, LineDown, Cancelled };

Connection connect(LinkContext& link) {
    ConnectingNotice connecting(link, msg::kUploadData);
    for (int attempts = 0;; ++attempts) {
        link.port.write(kRead);
        std::string reply;
        bool timedOut = true;
        const Tick start = link.clock.now();
        for (Tick e = 0; (e = elapsedSince(link.clock, start)) <= link.timings.replyTimeout;) {
            if (cancelled(link)) return Connection::Cancelled;
            if (lineDown(link)) {
                connecting.close();
                tellLineDown(link);
                return Connection::LineDown;
            }
            const auto b = link.port.readByte(pollSlice(link.timings.replyTimeout - e + 1));
            if (!b || reply.size() >= kMaxConnectReply) continue;
            reply.push_back(static_cast<char>(*b));
            if (*b == kCr) {
                timedOut = false;
                break;
            }
        }
        if (timedOut && attempts >= kTimedOutRequests) {
            connecting.close();
            showError(link.ui, msg::kTimeOut, ui::Icon::None, noAnswerAdvice(link, TransferKind::Upload));
            return Connection::TimedOut;
        }
        if (reply == "ACK\r") return Connection::Stands;
        if (attempts >= kWrongReplies) {
            connecting.close();
            showError(link.ui, msg::kNoConnection, ui::Icon::None,
                      "The answers on " + connectingDetail(link.opened, link.state.line.baudRate) +
                          " were not the terminal's: both sides must use the same speed.");
            return Connection::Refused;
        }
    }
}

// A line of up to 255 kept bytes, the rest up to CR dropped; nothing when the
// record time-out passed first or the operator cancelled.
std::optional<std::vector<std::uint8_t>> readRecordLine(LinkContext& link) {
    std::vector<std::uint8_t> line;
    const Tick limit = link.timings.recordTimeout;
    const Tick start = link.clock.now();
    for (Tick e = 0; (e = elapsedSince(link.clock, start)) <= limit && !lineDown(link) && !cancelled(link);) {
        const auto b = link.port.readByte(pollSlice(limit - e + 1));
        if (!b) continue;
        if (line.size() < kLineBuffer) line.push_back(*b);
        if (*b == kCr) return line;
    }
    return std::nullopt;
}

// How the records ended.
enum class End { Over, TimedOut, LineDown, WriteFailed, Cancelled };

struct Records {
    int taken = 0;
    End end = End::Over;
    std::string writeError;
};

std::vector<std::uint8_t> lineOf(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> line(data.begin(), data.end());
    line.push_back('\r');
    line.push_back('\n');
    return line;
}

Records receiveRecords(LinkContext& link, RecordOutput& out) {
    ui::ProgressRequest box;
    box.kind = ui::ProgressRequest::Kind::Count;
    box.caption = msg::kUploadData;
    box.text = msg::kCountFormat;
    link.ui.progressOpen(box);

    Records r;
    int expected = 0;
    int timeouts = 0;
    for (;;) {
        const auto line = readRecordLine(link);
        if (!line && link.cancelled) {
            // The record on the wire is not acknowledged: the terminal keeps it.
            link.ui.progressClose();
            r.end = End::Cancelled;
            return r;
        }
        if (!line && lineDown(link)) {
            link.ui.progressClose();
            tellLineDown(link);
            r.end = End::LineDown;
            return r;
        }
        if (!line) {
            if (timeouts++ >= kLineTimeouts) {
                link.ui.progressClose();
                showError(link.ui, msg::kTimeOut, ui::Icon::None, noAnswerAdvice(link, TransferKind::Upload));
                r.end = End::TimedOut;
                return r;
            }
            link.port.write(kNak);
            continue;
        }
        timeouts = 0;
        if (*line == kOver) {
            link.ui.progressClose();
            return r;
        }
        if (line->size() < 4) {
            link.port.write(kNak);
        } else if ((*line)[0] == expected) {
            if (recordChecksumMatches(*line)) {
                // Stored before it is acknowledged: a record the file cannot
                // take stays with the terminal.
                const OutputStatus stored = out.append(lineOf(recordData(*line)));
                if (!stored.ok) {
                    link.ui.progressClose();
                    r.end = End::WriteFailed;
                    r.writeError = stored.reason;
                    return r;
                }
                ++r.taken;
                expected = (expected + 1) % kSequenceModulus;
                link.ui.progressSet(r.taken);
                link.port.write(kAck);
            } else {
                link.port.write(kNak);
            }
        } else if ((*line)[0] == (expected + kSequenceModulus - 1) % kSequenceModulus) {
            // The terminal missed our answer and sent the record again.
            link.port.write(kAck);
        } else {
            link.port.write(kNak);
        }
    }
}

ui::FileDialogRequest dataFileDialog() {
    ui::FileDialogRequest r;
    r.kind = ui::FileDialogRequest::Kind::Save;
    r.filters = {{msg::kDataFilter, "*.TXT"}, {msg::kAllFilesFilter, "*.*"}};
    r.filterIndex = 0;
    r.defaultExtension = "TXT";
    r.options = ui::kOverwritePrompt | ui::kPathMustExist | ui::kHideReadOnly;
    return r;
}

void offerViewer(LinkContext& link, const std::string& path, const std::string& question,
                 ui::Icon icon) {
    if (askYesNo(link.ui, msg::kUploadData, question, icon)) link.ui.launchViewer(path);
}

std::string stoppedText(int records, const std::string& location) {
    std::string text = msg::kStopped;
    if (records == 0) return text;
    text += '\n';
    text += records == 1 ? "1 record was" : std::to_string(records) + " records were";
    text += " kept in\n";
    text += location;
    return text;
}

int resultOf(const Records& r) {
    switch (r.end) {
        case End::Over: return r.taken;
        case End::TimedOut: return kUploadTimedOut;
        case End::LineDown: return kUploadLineDown;
        case End::WriteFailed: return kUploadWriteFailed;
        case End::Cancelled: return kUploadCancelled;
    }
    return kUploadNothing;
}

}  // namespace

UploadOutcome upload(LinkContext& link, const PortChoice& choice, bool cradle, RecordOutput& out) {
    const auto path = link.ui.fileDialog(dataFileDialog());
    if (!path) return {kUploadNothing, 0};

    if (const OutputStatus ready = out.begin(*path); !ready.ok) {
        showError(link.ui, msg::kFileCreateFailed, ui::Icon::None, *path + ": " + ready.reason);
        return {kUploadFileFailed, 0};
    }
    if (!out.leftover().empty())
        tell(link, msg::kUploadData, std::string(msg::kLeftoverFound) + "\n" + out.leftover());
    if (!openForUpload(link, choice, cradle))
        return {link.cancelled ? kUploadCancelled : kUploadPortFailed, 0};

    UploadOutcome outcome;
    switch (connect(link)) {
        case Connection::Stands: {
            const Records records = receiveRecords(link, out);
            outcome.records = records.taken;
            outcome.result = resultOf(records);
            if (records.end == End::WriteFailed) {
                showError(link.ui, msg::kCantWriteFile, ui::Icon::Warning,
                          *path + ": " + records.writeError + "\n" + std::to_string(records.taken) +
                              " records were kept; the terminal keeps the rest.");
            }
            break;
        }
        case Connection::LineDown: outcome.result = kUploadLineDown; break;
        case Connection::Cancelled: outcome.result = kUploadCancelled; break;
        case Connection::TimedOut:
        case Connection::Refused: break;
    }
    const bool stopped = link.port.status() == LineStatus::Stopped;
    if (stopped) outcome.result = kUploadStopped;
    closeAfterUpload(link);

    // Every record taken goes into place, however the transfer ended.
    if (const OutputStatus saved = out.finish(); !saved.ok) {
        showError(link.ui, msg::kCantSaveFile, ui::Icon::Warning,
                  *path + ": " + saved.reason + "\nThe " + std::to_string(outcome.records) +
                      " records received are kept in " + out.location());
        return {kUploadFileFailed, outcome.records};
    }
    if (stopped) {
        // The program is on its way out: no question, but what was kept and where.
        tell(link, msg::kUploadData, stoppedText(outcome.records, out.location()));
    } else if (outcome.result > 0) {
        offerViewer(link, out.location(), withCount(msg::kDoneFormat, outcome.result), ui::Icon::None);
    } else if (outcome.records > 0) {
        offerViewer(link, out.location(), withCount(msg::kIncompleteFormat, outcome.records),
                    ui::Icon::Warning);
    } else if (outcome.result == kUploadNothing) {
        tell(link, msg::kUploadData, msg::kNoData);
    }
    return outcome;
}

}  // namespace appgen::link
