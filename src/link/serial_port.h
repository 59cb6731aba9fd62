// The serial port in the terms the terminal link needs. The line settings
// mirror the fields of a Windows DCB that the link touches, so that one
// record can outlive every transfer of a run; a backend translates them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/port_directory.h"
#include "link/tick_clock.h"

namespace appgen::link {

enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class StopBits : std::uint8_t { One = 0, OneAndHalf = 1, Two = 2 };
// Modem-line modes: off, on, or driven by the driver's flow control.
enum class LineMode : std::uint8_t { Disable = 0, Enable = 1, Handshake = 2 };

// Starts all zero: no flow control, DTR and RTS off, speed not yet chosen.
struct LineSettings {
    std::uint32_t baudRate = 0;
    std::uint8_t byteSize = 0;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    LineMode dtr = LineMode::Disable;
    LineMode rts = LineMode::Disable;
    bool outxCtsFlow = false;  // hold output while CTS is off
    bool outX = false;         // XON/XOFF on output

    bool operator==(const LineSettings&) const = default;
};

// Read and write time-outs in milliseconds, as the driver keeps them.
struct PortTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;

    bool operator==(const PortTimeouts&) const = default;
};

inline constexpr std::uint32_t kMaxTimeout = 0xFFFFFFFFu;

// Whether the line still leads anywhere. A port whose device hung up or
// failed (a pulled cable or USB adapter) is Lost; one whose program was asked
// to end (Ctrl-C, SIGTERM) is Stopped. Either way reads and writes return at
// once from then on, so no wait spins on a port that is gone.
enum class LineStatus : std::uint8_t { Up, Lost, Stopped };

// Why a port did not open, as the system tells it. The port reports it; the
// link words it for the operator (openFailureText in link/port_advice.h).
enum class OpenProblem {
    Missing,    // no such device
    Forbidden,  // no permission
    Busy,       // another program holds it
    NotSerial,  // it exists but is no serial port
    Other,
};

// How a COMn finds its device on this system: through the port map (POSIX),
// or as the system's own port of that name (Windows).
enum class PortNaming { PortMap, SystemNames };

struct OpenResult {
    bool ok = false;
    PortAnswer port{};  // the device opened (or not) and where the name led; empty if unknown
    // When it failed: what kind of failure, the system's words for it
    // ("Permission denied"), and for a missing device the devices there are.
    OpenProblem problem = OpenProblem::Other;
    std::string reason{};
    std::vector<SerialDevice> found{};
    PortNaming naming = PortNaming::PortMap;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // name: "COM1".."COM6" or a device path.
    virtual OpenResult open(const std::string& name) = 0;
    virtual bool isOpen() const = 0;
    virtual bool setQueueSizes(std::size_t input, std::size_t output) = 0;
    virtual bool apply(const LineSettings& settings) = 0;
    virtual PortTimeouts timeouts() const = 0;
    virtual bool setTimeouts(const PortTimeouts& t) = 0;
    // One received byte, waiting at most waitMs for it; nothing when the wait
    // ran out. Never blocks longer, whatever the time-outs say.
    virtual std::optional<std::uint8_t> readByte(Tick waitMs) = 0;
    // Writes the unit, giving up when the write time-outs have passed; returns
    // how many bytes the driver took (fewer than given: the time ran out, or
    // the line is down).
    virtual std::size_t write(std::span<const std::uint8_t> bytes) = 0;
    // Returns once every byte written has left the port (not merely the
    // program); false when the line is down. Not to be confused with
    // purgeInput(), which throws received bytes away.
    virtual bool drainOutput() = 0;
    // Throws away what was received and not yet read.
    virtual void purgeInput() = 0;
    // Puts back the line settings and time-outs the port had when it was
    // opened, then releases it.
    virtual void close() = 0;
    // Up again after each open. Sees a stop request as soon as it is made,
    // also while nobody reads, so a wait that only sleeps can heed it.
    virtual LineStatus status() const { return LineStatus::Up; }
    // When Lost: the system's words for what happened.
    virtual std::string lostReason() const { return {}; }
};

}  // namespace appgen::link
