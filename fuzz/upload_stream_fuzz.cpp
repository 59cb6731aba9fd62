// The bytes a terminal sends during an upload, in chunks timed by the input
// (replies, record lines, garbage, carriage returns anywhere), against the
// fake port in virtual time. From the log of what the PC read and answered,
// the records it must have taken are worked out independently; the file must
// hold exactly those, each a complete line, and no answer "ACK" may go to a
// line that is neither the next record nor a repeat of the one before.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "link/upload.h"
#include "platform/record_file.h"
#include "shell/services_operator_panel.h"
#include "terminal_side.h"
#include "ui/headless_services.h"

namespace {

using appgen::fuzz::Bytes;
using appgen::fuzz::PortLogEntry;
using appgen::fuzz::require;

const Bytes kAckReply = {'A', 'C', 'K', '\r'};
const Bytes kNak = {'N', 'A', 'K', '\r'};
const Bytes kRead = {'R', 'E', 'A', 'D', '\r'};
constexpr std::size_t kKept = 255;  // bytes of a line the PC keeps

std::uint8_t notCr(std::uint8_t b) { return b == 0x0D ? 0x0E : b; }

// A kept line (its last byte where the CR stands) whose checksum, low byte
// first, is the sum of the sequence byte and the data.
bool checksumGood(const Bytes& kept) {
    if (kept.size() < 4) return false;
    unsigned sum = 0;
    for (std::size_t i = 0; i + 3 < kept.size(); ++i) sum += kept[i];
    sum &= 0xFFFF;
    return kept[kept.size() - 3] == notCr(sum & 0xFF) && kept[kept.size() - 2] == notCr(sum >> 8);
}

// What the file must hold, from the PC's side of the exchange.
std::string expectedFile(const std::vector<PortLogEntry>& log, int& records) {
    std::string file;
    records = 0;
    bool recordPhase = false;
    Bytes line;  // bytes read since the last write
    int expected = 0;
    for (const auto& e : log) {
        switch (e.kind) {
            case PortLogEntry::Kind::Read:
                line.push_back(e.byte);
                // The connection stands on a reply of exactly "ACK\r" to "READ\r".
                if (!recordPhase && e.byte == 0x0D && line == kAckReply) {
                    recordPhase = true;
                    line.clear();
                }
                break;
            case PortLogEntry::Kind::Quiet:
                // The PC waits in short slices (so Cancel is seen): a quiet
                // slice ends no line. A line given up is always followed by
                // a NAK or by the end, and a write starts the next line.
                break;
            case PortLogEntry::Kind::Write: {
                if (!recordPhase) {
                    require(e.unit == kRead, "only \"READ\\r\" is written before the connection stands");
                    line.clear();
                    break;
                }
                require(e.unit == kAckReply || e.unit == kNak, "records are answered ACK or NAK");
                const Bytes kept(line.begin(),
                                 line.begin() + static_cast<long>(std::min(kKept, line.size())));
                const bool complete = !line.empty() && line.back() == 0x0D;
                const bool next = complete && kept.size() >= 4 && kept[0] == expected &&
                                  checksumGood(kept);
                const bool repeat = complete && kept.size() >= 4 && !next &&
                                    kept[0] == (expected + 9) % 10;
                require((e.unit == kAckReply) == (next || repeat),
                        "ACK answers exactly the next record and a repeat of the one before");
                if (next) {
                    file.append(kept.begin() + 1, kept.end() - 3);
                    file += "\r\n";
                    ++records;
                    expected = (expected + 1) % 10;
                }
                line.clear();
                break;
            }
        }
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace fs = std::filesystem;
    const std::string path = appgen::fuzz::scratchPath("records.TXT");
    std::error_code ec;
    fs::remove(path, ec);

    appgen::fuzz::VirtualClock clock;
    appgen::fuzz::LoggingPort port(clock);
    appgen::ui::HeadlessServices ui;
    appgen::link::LinkState state;
    appgen::shell::ServicesOperatorPanel panel(ui);
    appgen::link::LinkContext link{port, clock, panel, state};
    appgen::fuzz::ChunkedInput input(data, size, clock);
    port.onWrite = [&](appgen::fuzz::FakePort& p, const Bytes&) { input.deliverNext(p); };
    ui.queueFile(path);

    const auto file = appgen::platform::makeRecordFile();
    const appgen::link::UploadOutcome outcome =
        appgen::link::upload(link, {"COM1", 0}, false, *file);

    int records = 0;
    const std::string want = expectedFile(port.log, records);
    require(outcome.records == records, "the count is the number of records taken");
    require(outcome.result <= 0 || outcome.result == records, "a completed upload reports its count");
    if (fs::exists(path)) {
        std::ifstream in(path, std::ios::binary);
        const std::string got((std::istreambuf_iterator<char>(in)), {});
        require(got == want, "the file holds the records taken, each a complete line");
    } else {
        require(records == 0, "a file with records taken is kept");
    }
    return 0;
}
