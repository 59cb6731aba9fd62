// The serial port on Windows: "\\.\COMn" opened unshared, the link's line
// settings in a DCB, and reads that wait in the driver (COMMTIMEOUTS) until a
// byte or the deadline, without spinning. A read or write the driver fails (a
// pulled USB adapter) leaves the port Lost. The port is handed back with the
// DCB and COMMTIMEOUTS it had.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <cstdint>
#include <string>

#include "link/serial_port.h"

namespace appgen::platform {

class Win32SerialPort : public link::SerialPort {
public:
    Win32SerialPort();
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    link::OpenResult open(const std::string& name) override;
    bool isOpen() const override { return handle_ != nullptr; }
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

    // An event that is set when the program is asked to end; waits look at
    // it at least every kStopSliceMs and the port is Stopped once it is set.
    void setStopEvent(void* event) { stop_ = event; }
    static constexpr link::Tick kStopSliceMs = 100;

    // Whether the device has modem lines (DTR, RTS) that the driver can set.
    bool hasModemLines() const { return modemLines_; }

private:
    bool setDriverTimeouts(link::Tick readWaitMs);
    bool fill(link::Tick waitMs);
    bool read(unsigned long size, unsigned long& got);  // false: the port is Lost
    void lose(unsigned long error);
    bool stopAsked() const;
    void restoreLine();

    void* handle_ = nullptr;  // HANDLE of the device
    void* guard_ = nullptr;   // HANDLE of the named mutex that marks it ours
    void* stop_ = nullptr;    // HANDLE of the stop event, if any
    std::string name_;
    // Set by whoever first sees the stop event, status() included.
    mutable link::LineStatus status_ = link::LineStatus::Up;
    // The DCB and COMMTIMEOUTS the device had before this open (windows.h
    // stays out of this header): put back at close.
    struct Found;
    std::unique_ptr<Found> found_;
    std::string lostReason_;
    bool modemLines_ = false;
    link::PortTimeouts timeouts_{};
    // The driver's COMMTIMEOUTS: current when the link's write time-outs and
    // this read wait were last given to it.
    bool driverCurrent_ = false;
    link::Tick driverReadWait_ = 0;
    std::array<std::uint8_t, 256> buffer_{};
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

}  // namespace appgen::platform
