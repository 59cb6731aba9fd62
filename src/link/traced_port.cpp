#include "link/traced_port.h"

#include <algorithm>
#include <cstdio>

#include "link/port_advice.h"

namespace appgen::link {
namespace {

char parityLetter(Parity p) {
    switch (p) {
        case Parity::None: return 'N';
        case Parity::Odd: return 'O';
        case Parity::Even: return 'E';
        case Parity::Mark: return 'M';
        case Parity::Space: return 'S';
    }
    return '?';
}

const char* modeText(LineMode m) {
    switch (m) {
        case LineMode::Disable: return "off";
        case LineMode::Enable: return "on";
        case LineMode::Handshake: return "handshake";
    }
    return "?";
}

// "115200 8N1, DTR on, RTS off": what the cradle set-up and a transfer set.
std::string lineText(const LineSettings& s) {
    const char* stop = s.stopBits == StopBits::Two ? "2" : s.stopBits == StopBits::OneAndHalf ? "1.5" : "1";
    std::string t = std::to_string(s.baudRate) + " " + std::to_string(s.byteSize) + parityLetter(s.parity) +
                    stop + ", DTR " + modeText(s.dtr) + ", RTS " + modeText(s.rts);
    if (s.outxCtsFlow) t += ", CTS flow";
    if (s.outX) t += ", XON/XOFF";
    return t;
}

}  // namespace

std::string traceLines(Tick ms, std::string_view direction, std::span<const std::uint8_t> bytes) {
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += kTraceLineBytes) {
        const auto piece = bytes.subspan(at, std::min(kTraceLineBytes, bytes.size() - at));
        char head[32];
        std::snprintf(head, sizeof head, "%8lu %-4.4s", static_cast<unsigned long>(ms),
                      std::string(direction).c_str());
        out += head;
        std::string text;
        for (const std::uint8_t b : piece) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", b);
            out += hex;
            text.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.');
        }
        out.append((kTraceLineBytes - piece.size()) * 3 + 2, ' ');
        out += text;
        out += '\n';
    }
    return out;
}

TracedPort::TracedPort(SerialPort& port, TickClock& clock, TraceSink* sink)
    : port_(port), clock_(clock), sink_(sink) {}

TracedPort::~TracedPort() { flushReads(); }

Tick TracedPort::sinceOpen() { return clock_.now() - openedAt_; }

void TracedPort::note(const std::string& text) {
    if (!sink_) return;
    flushReads();
    char head[32];
    std::snprintf(head, sizeof head, "%8lu --   ", static_cast<unsigned long>(sinceOpen()));
    sink_->append(head + text + "\n");
}

void TracedPort::flushReads() {
    if (!sink_ || reads_.empty()) return;
    sink_->append(traceLines(readsAt_, "in", reads_));
    reads_.clear();
}

void TracedPort::noteStatus() {
    const LineStatus now = port_.status();
    if (now == noted_) return;
    noted_ = now;
    if (now == LineStatus::Lost) note("line lost: " + port_.lostReason());
    if (now == LineStatus::Stopped) note("stop asked (Ctrl-C or the program's end)");
}

OpenResult TracedPort::open(const std::string& name) {
    flushReads();
    openedAt_ = clock_.now();
    const OpenResult r = port_.open(name);
    noted_ = LineStatus::Up;
    if (sink_) {
        sink_->append("# ms since the open, out (to the terminal) or in (from it), bytes in hex, as text\n");
        std::string device = r.port.device.empty() || r.port.device == name ? "" : " (" + r.port.device + ")";
        note(r.ok ? "open " + name + device
                  : "open " + name + device + " failed: " + openFailureText(name, r));
    }
    return r;
}

bool TracedPort::setQueueSizes(std::size_t input, std::size_t output) {
    return port_.setQueueSizes(input, output);
}

bool TracedPort::apply(const LineSettings& settings) {
    const bool ok = port_.apply(settings);
    if (sink_) note("line " + lineText(settings) + (ok ? "" : " refused"));
    return ok;
}

std::optional<std::uint8_t> TracedPort::readByte(Tick waitMs) {
    const auto b = port_.readByte(waitMs);
    if (!sink_) return b;
    if (!b) {
        // A pause ends the chunk: what came so far is in the file while the
        // link waits.
        flushReads();
        noteStatus();
        return b;
    }
    if (reads_.empty()) readsAt_ = sinceOpen();
    reads_.push_back(*b);
    // The terminal's replies and records end with CR: one line each.
    if (*b == '\r' || reads_.size() == kTraceLineBytes) flushReads();
    return b;
}

std::size_t TracedPort::write(std::span<const std::uint8_t> bytes) {
    if (!sink_) return port_.write(bytes);
    flushReads();
    const Tick at = sinceOpen();
    const std::size_t written = port_.write(bytes);
    const std::size_t shown = written < bytes.size() ? written : bytes.size();
    if (shown > 0) sink_->append(traceLines(at, "out", bytes.first(shown)));
    if (written < bytes.size()) {
        note("write ended after " + std::to_string(written) + " of " + std::to_string(bytes.size()) +
             " bytes");
    }
    noteStatus();
    return written;
}

void TracedPort::purgeInput() {
    port_.purgeInput();
    if (sink_) note("received data purged");
}

void TracedPort::close() {
    flushReads();
    const bool wasOpen = port_.isOpen();
    port_.close();
    if (sink_ && wasOpen) note("close");
}

}  // namespace appgen::link
