// Arbitrary bytes as a lookup data file, downloaded to a terminal that
// acknowledges everything. A line ends at CR LF, at CR and at LF alone; a last
// line without an end is still a line. The file is either refused whole (a
// line too long for a frame) or sent as one frame a line: none over 256
// bytes, 0x0D only as a frame's last byte, the checksum bytes the sum of the
// line, and the frames' data the file's bytes without the line ends.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "link/download.h"
#include "shell/services_operator_panel.h"
#include "terminal_side.h"
#include "ui/headless_services.h"
#include "platform/lookup_file_reader.h"

namespace {

using appgen::fuzz::Bytes;
using appgen::fuzz::require;

constexpr std::size_t kFrameLimit = 256;
constexpr std::size_t kLineLimit = kFrameLimit - 3;

std::uint8_t notCr(std::uint8_t b) { return b == 0x0D ? 0x0E : b; }

std::vector<Bytes> linesOf(const std::uint8_t* data, std::size_t size) {
    std::vector<Bytes> lines;
    Bytes line;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b == 0x0A && i > 0 && data[i - 1] == 0x0D) continue;  // the LF of CR LF
        if (b == 0x0D || b == 0x0A) {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(b);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = appgen::fuzz::scratchPath("lookup.TXT");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    appgen::fuzz::VirtualClock clock;
    appgen::fuzz::LoggingPort port(clock);
    appgen::ui::HeadlessServices ui;
    appgen::link::LinkState state;
    appgen::shell::ServicesOperatorPanel panel(ui);
    appgen::link::LinkContext link{port, clock, panel, state};
    port.onWrite = [](appgen::fuzz::FakePort& p, const Bytes&) { p.deliver("ACK\r", 2); };
    ui.queueFile(path);
    const int result = appgen::link::downloadLookup(link, {"COM1", 0}, false, appgen::platform::openLookupFile);

    const std::vector<Bytes> writes = port.writes();
    const std::vector<Bytes> lines = linesOf(data, size);
    bool overlong = false;
    for (const auto& l : lines) overlong = overlong || l.size() > kLineLimit;
    if (overlong) {
        require(writes.empty() && result != appgen::link::kDownloadOk,
                "a file with a line too long for a frame is refused before anything is sent");
        return 0;
    }
    require(result == appgen::link::kDownloadOk, "a file of lines that fit is sent");
    // The handshake, a frame a line, "OVER\r".
    require(writes.size() == lines.size() + 2, "one frame a line");
    Bytes sent, expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Bytes& f = writes[i + 1];
        require(f.size() >= 3 && f.size() <= kFrameLimit, "no frame over 256 bytes");
        for (std::size_t j = 0; j + 1 < f.size(); ++j)
            require(f[j] != 0x0D, "0x0D only at a frame's end");
        require(f.back() == 0x0D, "a frame ends with 0x0D");
        const Bytes body(f.begin(), f.end() - 3);
        unsigned sum = 0;
        for (const auto b : body) sum += b;
        require(f[f.size() - 3] == notCr(static_cast<std::uint8_t>(sum >> 8)) &&
                    f[f.size() - 2] == notCr(static_cast<std::uint8_t>(sum & 0xFF)),
                "the checksum bytes are the line's sum, high byte first");
        require(body == lines[i], "each frame carries one line of the file");
        sent.insert(sent.end(), body.begin(), body.end());
    }
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != 0x0D && data[i] != 0x0A) expected.push_back(data[i]);
    require(sent == expected, "the frames' bytes are the file's bytes without the line ends");
    return 0;
}
