// The serial port on POSIX: termios at the terminal's five speeds, raw 8-bit
// bytes, the modem lines through ioctls where the device has them, and waits
// that sleep in poll() until the deadline. The port is held exclusively and
// under an advisory lock, so no other program (root's included) shares it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/serial_port.h"

namespace appgen::platform {

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
    void write(std::span<const std::uint8_t> bytes) override;
    void purgeInput() override;
    void close() override;
    link::LineStatus status() const override { return status_; }
    std::string lostReason() const override { return lostReason_; }

    // A descriptor that turns readable when the program is asked to end; every
    // wait watches it and the port is Stopped once it fires.
    void setStopDescriptor(int fd) { stopFd_ = fd; }

    const std::string& device() const { return device_; }
    // Whether the device has modem lines (a pseudo-terminal has none).
    bool hasModemLines() const { return modemLines_; }

private:
    bool fill(link::Tick waitMs);
    bool takeWaiting();  // true when bytes were read into the buffer
    void lose(const std::string& reason);
    bool stopAsked();

    int fd_ = -1;
    int stopFd_ = -1;
    link::LineStatus status_ = link::LineStatus::Up;
    std::string lostReason_;
    std::string device_;
    bool modemLines_ = false;
    link::PortTimeouts timeouts_{};
    // Bytes read from the driver and not yet handed out.
    std::array<std::uint8_t, 256> buffer_{};
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

// The operator's text for a failed open: the device, the system's reason, and
// for a permission error the usual fix.
std::string openFailureText(const std::string& device, int error);

}  // namespace appgen::platform
