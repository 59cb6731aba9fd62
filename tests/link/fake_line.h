// A serial port and a tick clock that exist only in the test: time is
// virtual, bytes from the terminal arrive when a script says, and every
// operation on the port is recorded with the time it happened.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_port.h"
#include "link/tick_clock.h"

namespace appgen::link::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view s);
std::string textOf(const Bytes& b);

// Starts just short of the 32-bit wrap, so every wait is measured across it.
class VirtualClock : public TickClock {
public:
    static constexpr std::uint64_t kStart = 0xFFFFFFFFull - 4000;
    Tick now() override { return static_cast<Tick>(t_); }
    void sleepFor(Tick ms) override { t_ += ms == 0 ? 1 : ms; }
    std::uint64_t time() const { return t_; }
    // Milliseconds since the clock started.
    std::uint64_t elapsed() const { return t_ - kStart; }
    void moveTo(std::uint64_t t) {
        if (t > t_) t_ = t;
    }

private:
    std::uint64_t t_ = kStart;
};

struct PortEvent {
    enum class Kind { Open, Close, Queues, Apply, Timeouts, Write, Drain, Purge } kind;
    std::uint64_t at = 0;   // virtual time
    LineSettings line{};    // Apply: what was applied; Write: the line as last applied
    PortTimeouts timeouts{};
    Bytes bytes{};          // Write: the unit
    std::string name{};     // Open: the port name
};

class FakePort : public SerialPort {
public:
    explicit FakePort(VirtualClock& clock) : clock_(clock) {}

    // The terminal: sees every unit written, and answers through deliver().
    std::function<void(FakePort&, const Bytes&)> onWrite;
    // Bytes that arrive `after` ms from now, one after another.
    void deliver(std::string_view bytes, Tick after = 1);
    void deliver(const Bytes& bytes, Tick after = 1);

    bool failOpen = false;
    std::string openReason = "no such device";  // the system's words when failOpen
    bool failApply = false;
    // The port's output is held: a write takes none of its bytes and lasts
    // its write time-outs.
    bool holdOutput = false;
    // A stop (Ctrl-C) at this virtual time: status() says Stopped from then
    // on, whether or not anyone reads.
    std::optional<std::uint64_t> stopAt;

    std::vector<PortEvent> events;
    std::vector<Bytes> writes() const;
    std::vector<PortEvent> eventsOf(PortEvent::Kind k) const;
    const LineSettings& applied() const { return applied_; }
    std::size_t pendingInput() const { return incoming_.size(); }

    OpenResult open(const std::string& name) override;
    bool isOpen() const override { return open_; }
    bool setQueueSizes(std::size_t input, std::size_t output) override;
    bool apply(const LineSettings& settings) override;
    PortTimeouts timeouts() const override { return timeouts_; }
    bool setTimeouts(const PortTimeouts& t) override;
    std::optional<std::uint8_t> readByte(Tick waitMs) override;
    std::size_t write(std::span<const std::uint8_t> bytes) override;
    bool drainOutput() override;
    void purgeInput() override;
    void close() override;
    LineStatus status() const override;
    std::string lostReason() const override { return lostReason_; }

    // The line goes down now (a hang-up, a stop): reads and writes return at
    // once until the next open. Reads made meanwhile are counted, so a caller
    // that keeps polling a port that is gone shows.
    void goDown(LineStatus s, std::string reason = "the line hung up");
    int readsWhileDown = 0;

    std::size_t inputQueue = 0;
    std::size_t outputQueue = 0;

private:
    struct Arrival {
        std::uint64_t at;
        std::uint8_t byte;
    };
    void record(PortEvent e);

    VirtualClock& clock_;
    bool open_ = false;
    LineStatus status_ = LineStatus::Up;
    std::string lostReason_;
    LineSettings applied_{};
    PortTimeouts timeouts_{1, 2, 3, 4, 5};  // what the driver held before
    std::deque<Arrival> incoming_;
};

// Answers every unit with the next reply of a list (std::nullopt: silence),
// then with `otherwise`.
struct ReplyScript {
    std::vector<std::optional<std::string>> replies;
    std::optional<std::string> otherwise = std::string("ACK\r");
    Tick latency = 2;
    std::size_t used = 0;

    void attach(FakePort& port);
};

}  // namespace appgen::link::testing
