#include "link/upload.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/frames.h"
#include "link/link_messages.h"
#include "link/operator_messages.h"
#include "link/port_open.h"
#include "project/utf8_path.h"

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

// The file the records go to, closed on every way out.
class OutputFile {
public:
    explicit OutputFile(const std::string& path) : f_(utf8Path(path), std::ios::binary | std::ios::trunc) {}
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    bool isOpen() const { return f_.is_open(); }
    void writeRecord(std::span<const std::uint8_t> data) {
        f_.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        f_.write("\r\n", 2);
    }
    void close() {
        if (f_.is_open()) f_.close();
    }

private:
    std::ofstream f_;
};

enum class Connection { Stands, TimedOut, Refused };

Connection connect(LinkContext& link) {
    for (int attempts = 0;; ++attempts) {
        link.port.write(kRead);
        std::string reply;
        bool timedOut = true;
        const Tick start = link.clock.now();
        for (Tick e = 0; (e = elapsedSince(link.clock, start)) <= link.timings.replyTimeout;) {
            const auto b = link.port.readByte(link.timings.replyTimeout - e + 1);
            if (!b || reply.size() >= kMaxConnectReply) continue;
            reply.push_back(static_cast<char>(*b));
            if (*b == kCr) {
                timedOut = false;
                break;
            }
        }
        if (timedOut && attempts >= kTimedOutRequests) {
            showError(link.ui, msg::kTimeOut, ui::Icon::None);
            return Connection::TimedOut;
        }
        if (reply == "ACK\r") return Connection::Stands;
        if (attempts >= kWrongReplies) {
            showError(link.ui, msg::kNoConnection, ui::Icon::None);
            return Connection::Refused;
        }
    }
}

// A line of up to 255 kept bytes, the rest up to CR dropped; nothing when the
// record time-out passed first.
std::optional<std::vector<std::uint8_t>> readRecordLine(LinkContext& link) {
    std::vector<std::uint8_t> line;
    const Tick limit = link.timings.recordTimeout;
    const Tick start = link.clock.now();
    for (Tick e = 0; (e = elapsedSince(link.clock, start)) <= limit;) {
        const auto b = link.port.readByte(limit - e + 1);
        if (!b) continue;
        if (line.size() < kLineBuffer) line.push_back(*b);
        if (*b == kCr) return line;
    }
    return std::nullopt;
}

struct Records {
    int taken = 0;
    bool complete = false;  // ended by "OVER"
};

Records receiveRecords(LinkContext& link, OutputFile& out) {
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
        if (!line) {
            if (timeouts++ >= kLineTimeouts) {
                link.ui.progressClose();
                showError(link.ui, msg::kTimeOut, ui::Icon::None);
                return r;
            }
            link.port.write(kNak);
            continue;
        }
        timeouts = 0;
        if (*line == kOver) {
            link.ui.progressClose();
            r.complete = true;
            return r;
        }
        if (line->size() < 4) {
            link.port.write(kNak);
        } else if ((*line)[0] == expected) {
            if (recordChecksumMatches(*line)) {
                out.writeRecord(recordData(*line));
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

}  // namespace

UploadOutcome upload(LinkContext& link, const PortChoice& choice, bool cradle) {
    const auto path = link.ui.fileDialog(dataFileDialog());
    if (!path) return {kUploadNothing, 0};

    OutputFile out(*path);
    if (!out.isOpen()) {
        tell(link, msg::kError, msg::kFileCreateFailed);
        return {kUploadFileFailed, 0};
    }
    if (!openForUpload(link, choice, cradle)) return {kUploadPortFailed, 0};

    UploadOutcome outcome;
    Records records;
    if (connect(link) == Connection::Stands) {
        records = receiveRecords(link, out);
        outcome.records = records.taken;
        outcome.result = records.complete ? records.taken : kUploadTimedOut;
    }
    closeAfterUpload(link);
    out.close();

    std::error_code ec;
    if (outcome.result > 0) {
        offerViewer(link, *path, withCount(msg::kDoneFormat, outcome.result), ui::Icon::None);
    } else if (outcome.result == kUploadTimedOut && outcome.records > 0) {
        // What arrived before the terminal went quiet is kept, and said so.
        offerViewer(link, *path,
                    withCount("The transfer did not complete : %d records received.\n"
                              "View the received data?",
                              outcome.records),
                    ui::Icon::Warning);
    } else {
        if (outcome.result == kUploadNothing) tell(link, msg::kUploadData, msg::kNoData);
        std::filesystem::remove(utf8Path(*path), ec);
    }
    return outcome;
}

}  // namespace appgen::link
