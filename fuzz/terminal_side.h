// The terminal's side of a fuzzed transfer on the fake port: the input cut
// into chunks of reply bytes, and a port that logs, in order, every byte the
// PC read, every wait that ran out and every unit the PC wrote.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fake_line.h"

namespace appgen::fuzz {

using link::Tick;
using link::testing::Bytes;
using link::testing::FakePort;
using link::testing::VirtualClock;

// Chunk after chunk: a header byte (bits 0..6 the delay in 32 ms steps, bit 7
// "the next chunk follows this one without waiting for a write"), a length
// byte, then that many bytes (fewer when the input ends first).
class ChunkedInput {
public:
    ChunkedInput(const std::uint8_t* data, std::size_t size, VirtualClock& clock)
        : data_(data), size_(size), clock_(clock) {}

    bool atEnd() const { return pos_ >= size_; }
    std::uint8_t takeByte() { return atEnd() ? 0 : data_[pos_++]; }

    // Delivers the next chunk, and those chained to it; false at the end.
    bool deliverNext(FakePort& port) {
        if (atEnd()) return false;
        for (bool chained = true; chained && !atEnd();) {
            const std::uint8_t header = takeByte();
            chained = (header & 0x80) != 0;
            const std::uint8_t length = takeByte();
            const std::size_t n = std::min<std::size_t>(length, size_ - pos_);
            // Chained chunks are timed from the arrival of the one before.
            const std::uint64_t from = std::max(lastArrival_, clock_.time());
            lastArrival_ = from + (header & 0x7F) * 32u;
            port.deliver(Bytes(data_ + pos_, data_ + pos_ + n),
                         static_cast<Tick>(lastArrival_ - clock_.time()));
            pos_ += n;
        }
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    VirtualClock& clock_;
    std::uint64_t lastArrival_ = 0;
};

struct PortLogEntry {
    enum class Kind { Read, Quiet, Write } kind;
    std::uint8_t byte = 0;  // Read
    Bytes unit{};           // Write
};

class LoggingPort : public FakePort {
public:
    using FakePort::FakePort;

    std::optional<std::uint8_t> readByte(Tick waitMs) override {
        const bool open = isOpen();
        const auto b = FakePort::readByte(waitMs);
        if (open) log.push_back(b ? PortLogEntry{PortLogEntry::Kind::Read, *b}
                                  : PortLogEntry{PortLogEntry::Kind::Quiet});
        return b;
    }
    std::size_t write(std::span<const std::uint8_t> bytes) override {
        log.push_back({PortLogEntry::Kind::Write, 0, Bytes(bytes.begin(), bytes.end())});
        return FakePort::write(bytes);
    }

    std::vector<PortLogEntry> log;
};

// Each write with the bytes the PC read after it, up to the next write.
struct WriteAndReply {
    Bytes unit;
    Bytes reply;
    bool quiet = false;  // a wait ran out before the next write
};

inline std::vector<WriteAndReply> writesWithReplies(const std::vector<PortLogEntry>& log) {
    std::vector<WriteAndReply> out;
    for (const auto& e : log) {
        if (e.kind == PortLogEntry::Kind::Write) {
            out.push_back({e.unit, {}});
        } else if (!out.empty()) {
            if (e.kind == PortLogEntry::Kind::Read) out.back().reply.push_back(e.byte);
            else out.back().quiet = true;
        }
    }
    return out;
}

// A file in this process's own temporary folder.
std::string scratchPath(const std::string& name);

[[noreturn]] void violated(const char* property);
inline void require(bool ok, const char* property) {
    if (!ok) violated(property);
}

}  // namespace appgen::fuzz
