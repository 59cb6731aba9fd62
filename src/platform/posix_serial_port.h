// The serial port on POSIX: termios at the terminal's five speeds, raw 8-bit
// bytes, the modem lines through ioctls where the device has them, and waits
// that sleep in poll() until the deadline. The port is held exclusively and
// under an advisory lock, so no other program (root's included) shares it.
#pragma once

#include <termios.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/serial_port.h"

namespace appgen::platform {

// The driver's low-latency switch (Linux: ASYNC_LOW_LATENCY of TIOCGSERIAL
// and TIOCSSERIAL). A USB adapter otherwise holds each answer of the terminal
// for up to 16 ms, and the protocols wait for an answer after every unit.
struct LatencyControl {
    // The driver's flags, or nothing when the device has none (a pty).
    std::function<std::optional<int>(int fd)> readFlags;
    std::function<bool(int fd, int flags)> writeFlags;
};
LatencyControl systemLatencyControl();
// The flag to ask for; 0 where the system has none.
extern const int kLowLatencyFlag;

// The kind of an open failure, from the system's error number.
link::OpenProblem openProblemOf(int error);

class PosixSerialPort : public link::SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    link::OpenResult open(const std::string& name) override;
    bool isOpen() const override { return fd_ >= 0; }
    bool setQueueSizes(std::size_t input, std::size_t output) override;
    bool apply(const link::LineSettings& settings) override;
    link::PortTimeouts timeouts() const override { return timeouts_; }
    bool setTimeouts(const link::PortTimeouts& t) override;
    std::optional<std::uint8_t> readByte(link::Tick waitMs) override;
    std::size_t write(std::span<const std::uint8_t> bytes) override;
    bool drainOutput() override;
    void purgeInput() override;
    void close() override;
    link::LineStatus status() const override;
    std::string lostReason() const override { return lostReason_; }

    // A descriptor that turns readable when the program is asked to end; every
    // wait watches it and the port is Stopped once it fires.
    void setStopDescriptor(int fd) { stopFd_ = fd; }
    // Stand-ins for the driver's flags and the search of the machine's
    // serial devices (named when a device is missing).
    void setLatencyControl(LatencyControl c) { latency_ = std::move(c); }
    void setDeviceLister(std::function<std::vector<link::SerialDevice>()> l) { lister_ = std::move(l); }

    const std::string& device() const { return device_; }
    // Whether the device has modem lines (a pseudo-terminal has none).
    bool hasModemLines() const { return modemLines_; }
    // Whether the driver was switched to low latency by this open.
    bool lowLatency() const { return restoreFlags_.has_value(); }

private:
    bool fill(link::Tick waitMs);
    bool takeWaiting();  // true when bytes were read into the buffer
    void lose(const std::string& reason);
    bool stopAsked() const;
    void restoreLine();
    link::OpenResult failed(const link::PortAnswer& port, int error, int fd = -1);
    void askLowLatency(int fd);

    int fd_ = -1;
    int stopFd_ = -1;
    // Set by whoever first sees the stop request, status() included.
    mutable link::LineStatus status_ = link::LineStatus::Up;
    // What the device had before this open: put back at close.
    termios found_{};
    int foundLines_ = 0;  // TIOCM_DTR and TIOCM_RTS as they were
    std::string lostReason_;
    std::string device_;
    bool modemLines_ = false;
    LatencyControl latency_ = systemLatencyControl();
    std::optional<int> restoreFlags_;  // the driver's flags before the open changed them
    std::function<std::vector<link::SerialDevice>()> lister_;
    link::PortTimeouts timeouts_{};
    // Bytes read from the driver and not yet handed out.
    std::array<std::uint8_t, 256> buffer_{};
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

}  // namespace appgen::platform
