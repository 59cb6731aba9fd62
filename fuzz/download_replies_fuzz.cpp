// The terminal's replies during a program or a lookup download, in chunks
// timed by the input. From the log of what the PC wrote and read back: every
// unit is the one due (image blocks exactly as cut from the image, lookup
// frames as the file gives them), no unit is written more than four times in
// a row, the next unit follows only an "ACK", and a download reported done
// sent every unit.
//
// Input: a mode byte (bit 0: lookup file instead of the program; bit 1: once
// the chunks run out the terminal answers "ACK" to everything), a byte whose
// low two bits are the number of retries the operator accepts, then chunks.
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

const Bytes kHandshake = {'B', 'R', 'I', 'G', 'A', 'N', '\r'};

std::uint8_t notCr(std::uint8_t b) { return b == 0x0D ? 0x0E : b; }

// Varied bytes, with carriage returns among them and blocks whose checksum
// bytes are 0x0D: all of it must go out unchanged.
const std::vector<std::uint8_t>& programImage() {
    static const std::vector<std::uint8_t> image = [] {
        std::vector<std::uint8_t> v(20000);
        std::uint32_t x = 12345;
        for (auto& b : v) {
            x = x * 1103515245u + 12345u;
            b = static_cast<std::uint8_t>(x >> 16);
        }
        for (std::size_t i = 0; i < v.size(); i += 37) v[i] = 0x0D;
        // Block 3 sums to 0x0D0D.
        std::fill(v.begin() + 300, v.begin() + 400, 0);
        v[300] = 0x0D;
        for (int i = 0; i < 13; ++i) v[301 + i] = 0xFF;
        v[314] = 0x0D;
        return v;
    }();
    return image;
}

std::vector<Bytes> programBlocks() {
    const auto& image = programImage();
    std::vector<Bytes> units;
    for (int n = 0; n < 200; ++n) {
        Bytes b(image.begin() + n * 100, image.begin() + n * 100 + 100);
        unsigned sum = 0;
        for (const auto x : b) sum += x;
        b.push_back(static_cast<std::uint8_t>(sum >> 8));
        b.push_back(static_cast<std::uint8_t>(sum & 0xFF));
        b.push_back(static_cast<std::uint8_t>(n));
        units.push_back(b);
    }
    return units;
}

// Distinct lines, so that a repeat can be told from the next line: an
// ordinary record, one whose low checksum byte is 0x0D, a blank line and a
// last line without its end.
const char kLookupLines[] = "4600001;Milk 1L;12.50\r\nZZY\r\n\r\n4600002;Bread\r\nEND";

std::vector<Bytes> lookupFrames() {
    std::vector<Bytes> units;
    for (const std::string line : {"4600001;Milk 1L;12.50", "ZZY", "", "4600002;Bread", "END"}) {
        Bytes f(line.begin(), line.end());
        unsigned sum = 0;
        for (const auto x : f) sum += x;
        f.push_back(notCr(static_cast<std::uint8_t>(sum >> 8)));
        f.push_back(notCr(static_cast<std::uint8_t>(sum & 0xFF)));
        f.push_back(0x0D);
        units.push_back(f);
    }
    units.push_back({'O', 'V', 'E', 'R', '\r'});
    return units;
}

std::string replyText(const Bytes& reply) {
    std::string r(reply.begin(), reply.end());
    if (!r.empty() && r.back() == '\r') r.pop_back();
    return r;
}

// Returns whether the last attempt sent every unit.
bool checkExchange(const std::vector<appgen::fuzz::WriteAndReply>& writes,
                   const std::vector<Bytes>& units) {
    enum class Phase { Handshake, Sending, Ended } phase = Phase::Ended;
    int handshakes = 0;
    std::size_t unit = 0;
    int writesOfUnit = 0;
    for (const auto& w : writes) {
        require(w.reply.size() <= 10, "a reply line is at most 10 bytes");
        const std::string reply = replyText(w.reply);
        if (w.unit == kHandshake) {
            require(phase != Phase::Sending, "a handshake starts an attempt, never interrupts one");
            if (phase == Phase::Ended) handshakes = 0;
            require(++handshakes <= 3, "at most 3 handshakes an attempt");
            phase = reply == "ACK" ? Phase::Sending : handshakes == 3 ? Phase::Ended : Phase::Handshake;
            unit = 0;
            writesOfUnit = 0;
            continue;
        }
        require(phase == Phase::Sending, "units go out only after an acknowledged handshake");
        require(unit < units.size(), "nothing is written after the last unit");
        require(w.unit == units[unit], "each unit is sent as due, unchanged");
        require(++writesOfUnit <= 4, "at most 4 writes of a unit");
        if (reply == "ACK") {
            ++unit;
            writesOfUnit = 0;
            if (unit == units.size()) phase = Phase::Ended;
        } else if (reply == "FULL" || writesOfUnit == 4) {
            phase = Phase::Ended;
        }
    }
    return unit == units.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool lookup = data[0] & 1;
    const bool ackWhenDone = data[0] & 2;
    const int retries = data[1] & 3;

    appgen::fuzz::VirtualClock clock;
    appgen::fuzz::LoggingPort port(clock);
    appgen::ui::HeadlessServices ui;
    appgen::link::LinkState state;
    appgen::shell::ServicesOperatorPanel panel(ui);
    appgen::link::LinkContext link{port, clock, panel, state};
    appgen::fuzz::ChunkedInput input(data + 2, size - 2, clock);
    port.onWrite = [&](appgen::fuzz::FakePort& p, const Bytes&) {
        if (!input.deliverNext(p) && ackWhenDone) p.deliver("ACK\r", 2);
    };
    for (int i = 0; i < retries; ++i) ui.queueAnswer(appgen::ui::Answer::Yes);

    int result = 0;
    std::vector<Bytes> units;
    if (lookup) {
        static const std::string path = [] {
            const std::string p = appgen::fuzz::scratchPath("lookup.TXT");
            std::ofstream(p, std::ios::binary) << kLookupLines;
            return p;
        }();
        ui.queueFile(path);
        result = appgen::link::downloadLookup(link, {"COM1", 0}, false, appgen::platform::openLookupFile);
        units = lookupFrames();
    } else {
        result = appgen::link::downloadProgram(link, {"COM1", 0}, false,
                                               [] { return programImage(); });
        units = programBlocks();
    }
    const bool complete = checkExchange(appgen::fuzz::writesWithReplies(port.log), units);
    require((result == appgen::link::kDownloadOk) == complete,
            "a download is reported done exactly when every unit was acknowledged");
    return 0;
}
