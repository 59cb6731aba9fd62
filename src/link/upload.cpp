#include "link/upload.h"

#include <string>
#include <vector>

#include "link/acknowledged_send.h"
#include "link/frames.h"
#include "link/line_io.h"
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
    link.panel.tell({caption, text});
}

enum class Connection { Stands, TimedOut, Refused, LineDown, PortHeld, Cancelled };

Connection connect(LinkContext& link) {
    ConnectingNotice connecting(link, msg::kUploadData);
    for (int attempts = 0;; ++attempts) {
        const bool written = writeUnit(link, kRead);
        const LineRead reply = written ? readLine(link, link.timings.replyTimeout, kMaxConnectReply,
                                                  WhenFull::IgnoresRest)
                                       : LineRead{};
        if (cancelled(link)) return Connection::Cancelled;
        if (lineDown(link)) {
            connecting.close();
            tellLineDown(link);
            return Connection::LineDown;
        }
        if (!written) return Connection::PortHeld;
        if (!reply.ended && attempts >= kTimedOutRequests) {
            connecting.close();
            showError(link.panel, msg::kTimeOut, Icon::None, noAnswerAdvice(link, TransferKind::Upload));
            return Connection::TimedOut;
        }
        if (reply.bytes == kAck) return Connection::Stands;
        if (attempts >= kWrongReplies) {
            connecting.close();
            showError(link.panel, msg::kNoConnection, Icon::None,
                      "The answers on " + connectingDetail(link.opened, link.state.line.baudRate) +
                          " were not the terminal's: both sides must use the same speed.");
            return Connection::Refused;
        }
    }
}

// A line of up to 255 kept bytes, the rest up to CR dropped; nothing when the
// record time-out passed first or the operator cancelled.
std::optional<std::vector<std::uint8_t>> readRecordLine(LinkContext& link) {
    LineRead line = readLine(link, link.timings.recordTimeout, kLineBuffer, WhenFull::DropsRest);
    if (!line.ended) return std::nullopt;
    return std::move(line.bytes);
}

// How the records ended.
enum class End { Over, TimedOut, LineDown, PortHeld, WriteFailed, Cancelled };

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
    ProgressWindow box;
    box.kind = ProgressWindow::Kind::Count;
    box.caption = msg::kUploadData;
    box.text = msg::kCountFormat;
    link.panel.progressOpen(box);

    Records r;
    int expected = 0;
    int timeouts = 0;
    // An answer the port did not send ends the records: the terminal would
    // only send the record again.
    auto answer = [&](const std::vector<std::uint8_t>& unit) {
        if (writeUnit(link, unit)) return true;
        link.panel.progressClose();
        if (lineDown(link)) tellLineDown(link);
        r.end = lineDown(link) ? End::LineDown : End::PortHeld;
        return false;
    };
    for (;;) {
        const auto line = readRecordLine(link);
        if (!line && link.cancelled) {
            // The record on the wire is not acknowledged: the terminal keeps it.
            link.panel.progressClose();
            r.end = End::Cancelled;
            return r;
        }
        if (!line && lineDown(link)) {
            link.panel.progressClose();
            tellLineDown(link);
            r.end = End::LineDown;
            return r;
        }
        if (!line) {
            if (timeouts++ >= kLineTimeouts) {
                link.panel.progressClose();
                showError(link.panel, msg::kTimeOut, Icon::None, noAnswerAdvice(link, TransferKind::Upload));
                r.end = End::TimedOut;
                return r;
            }
            if (!answer(kNak)) return r;
            continue;
        }
        timeouts = 0;
        if (*line == kOver) {
            link.panel.progressClose();
            return r;
        }
        bool answered = true;
        if (line->size() < 4) {
            answered = answer(kNak);
        } else if ((*line)[0] == expected) {
            if (recordChecksumMatches(*line)) {
                // Stored before it is acknowledged: a record the file cannot
                // take stays with the terminal.
                const OutputStatus stored = out.append(lineOf(recordData(*line)));
                if (!stored.ok) {
                    link.panel.progressClose();
                    r.end = End::WriteFailed;
                    r.writeError = stored.reason;
                    return r;
                }
                ++r.taken;
                expected = (expected + 1) % kSequenceModulus;
                link.panel.progressSet(r.taken);
                answered = answer(kAck);
            } else {
                answered = answer(kNak);
            }
        } else if ((*line)[0] == (expected + kSequenceModulus - 1) % kSequenceModulus) {
            // The terminal missed our answer and sent the record again.
            answered = answer(kAck);
        } else {
            answered = answer(kNak);
        }
        if (!answered) return r;
    }
}

FileQuestion dataFileQuestion() {
    FileQuestion r;
    r.kind = FileQuestion::Kind::Save;
    r.filters = {{msg::kDataFilter, "*.TXT"}, {msg::kAllFilesFilter, "*.*"}};
    r.defaultExtension = "TXT";
    return r;
}

void offerViewer(LinkContext& link, const std::string& path, const std::string& question,
                 Icon icon) {
    if (askYesNo(link.panel, msg::kUploadData, question, icon)) link.panel.launchViewer(path);
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
        case End::PortHeld: return kUploadPortHeld;
        case End::WriteFailed: return kUploadWriteFailed;
        case End::Cancelled: return kUploadCancelled;
    }
    return kUploadNothing;
}

}  // namespace

UploadOutcome upload(LinkContext& link, const PortChoice& choice, bool cradle, RecordOutput& out) {
    const auto path = link.panel.chooseFile(dataFileQuestion());
    if (!path) return {kUploadNothing, 0};

    if (const OutputStatus ready = out.begin(*path); !ready.ok) {
        showError(link.panel, msg::kFileCreateFailed, Icon::None, *path + ": " + ready.reason);
        return {kUploadFileFailed, 0};
    }
    if (!out.leftover().empty())
        tell(link, msg::kUploadData, std::string(msg::kLeftoverFound) + "\n" + out.leftover());
    if (!openForUpload(link, choice, cradle)) {
        if (link.cancelled) return {kUploadCancelled, 0};
        return {link.port.status() == LineStatus::Stopped ? kUploadStopped : kUploadPortFailed, 0};
    }

    UploadOutcome outcome;
    switch (connect(link)) {
        case Connection::Stands: {
            const Records records = receiveRecords(link, out);
            outcome.records = records.taken;
            outcome.result = resultOf(records);
            if (records.end == End::WriteFailed) {
                showError(link.panel, msg::kCantWriteFile, Icon::Warning,
                          *path + ": " + records.writeError + "\n" + std::to_string(records.taken) +
                              " records were kept; the terminal keeps the rest.");
            }
            break;
        }
        case Connection::LineDown: outcome.result = kUploadLineDown; break;
        case Connection::PortHeld: outcome.result = kUploadPortHeld; break;
        case Connection::Cancelled: outcome.result = kUploadCancelled; break;
        case Connection::TimedOut:
        case Connection::Refused: break;
    }
    const bool stopped = link.port.status() == LineStatus::Stopped;
    if (stopped) outcome.result = kUploadStopped;
    closeAfterUpload(link);

    // Every record taken goes into place, however the transfer ended.
    if (const OutputStatus saved = out.finish(); !saved.ok) {
        showError(link.panel, msg::kCantSaveFile, Icon::Warning,
                  *path + ": " + saved.reason + "\nThe " + std::to_string(outcome.records) +
                      " records received are kept in " + out.location());
        return {kUploadFileFailed, outcome.records};
    }
    if (stopped) {
        // The program is on its way out: no question, but what was kept and where.
        tell(link, msg::kUploadData, stoppedText(outcome.records, out.location()));
    } else if (outcome.result > 0) {
        offerViewer(link, out.location(), withCount(msg::kDoneFormat, outcome.result), Icon::None);
    } else if (outcome.records > 0) {
        offerViewer(link, out.location(), withCount(msg::kIncompleteFormat, outcome.records),
                    Icon::Warning);
    } else if (outcome.result == kUploadNothing) {
        tell(link, msg::kUploadData, msg::kNoData);
    }
    return outcome;
}

}  // namespace appgen::link
