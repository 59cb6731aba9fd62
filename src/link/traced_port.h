// A serial port that passes everything on to another and writes each byte
// that goes either way to a trace, one line a chunk (a unit written; bytes
// read up to a CR, a pause or 16 of them): the milliseconds since the port
// opened, the direction, the bytes in hex and as text. Opening,
// line settings, purges and a lost or stopped line are noted between them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_port.h"
#include "link/tick_clock.h"
#include "link/trace_sink.h"

namespace appgen::link {

// Bytes a trace line shows at most; a longer chunk takes more lines.
inline constexpr std::size_t kTraceLineBytes = 16;

// "    1234 out  42 52 49 47 41 4E 0D  BRIGAN." and its continuation lines.
std::string traceLines(Tick ms, std::string_view direction, std::span<const std::uint8_t> bytes);

class TracedPort : public SerialPort {
public:
    // sink null: nothing is traced, everything is passed on.
    TracedPort(SerialPort& port, TickClock& clock, TraceSink* sink);
    ~TracedPort() override;
    TracedPort(const TracedPort&) = delete;
    TracedPort& operator=(const TracedPort&) = delete;

    OpenResult open(const std::string& name) override;
    bool isOpen() const override { return port_.isOpen(); }
    bool setQueueSizes(std::size_t input, std::size_t output) override;
    bool apply(const LineSettings& settings) override;
    PortTimeouts timeouts() const override { return port_.timeouts(); }
    bool setTimeouts(const PortTimeouts& t) override { return port_.setTimeouts(t); }
    std::optional<std::uint8_t> readByte(Tick waitMs) override;
    std::size_t write(std::span<const std::uint8_t> bytes) override;
    bool drainOutput() override { return port_.drainOutput(); }
    void purgeInput() override;
    void close() override;
    LineStatus status() const override { return port_.status(); }
    std::string lostReason() const override { return port_.lostReason(); }

private:
    Tick sinceOpen();
    void note(const std::string& text);
    // The bytes read since the last line, as one line.
    void flushReads();
    void noteStatus();

    SerialPort& port_;
    TickClock& clock_;
    TraceSink* sink_;
    Tick openedAt_ = 0;
    Tick readsAt_ = 0;
    std::vector<std::uint8_t> reads_;
    LineStatus noted_ = LineStatus::Up;
};

}  // namespace appgen::link
