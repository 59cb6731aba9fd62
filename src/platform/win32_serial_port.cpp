#include "platform/win32_serial_port.h"

#include <windows.h>

#include "platform/win32_serial_settings.h"

namespace appgen::platform {
namespace {

HANDLE h(void* p) { return static_cast<HANDLE>(p); }

constexpr DWORD kPurgeAll = PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR;

}  // namespace

Win32SerialPort::~Win32SerialPort() { close(); }

link::OpenResult Win32SerialPort::open(const std::string& name) {
    close();
    const std::wstring device = win32DeviceName(name);
    // Windows refuses a second open of a port opened without sharing, but Wine
    // lets it through; a mutex of our own keeps two of our programs apart there.
    HANDLE guard = CreateMutexW(nullptr, FALSE, portMutexName(device).c_str());
    if (guard && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(guard);
        return {false, win32OpenFailureText(name, ERROR_ACCESS_DENIED)};
    }
    HANDLE port = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (guard) CloseHandle(guard);
        return {false, win32OpenFailureText(name, error)};
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        CloseHandle(port);
        if (guard) CloseHandle(guard);
        return {false, "cannot open port " + name + ": it is not a serial device"};
    }
    // Neither opening nor setting the line flushes what arrived earlier.
    PurgeComm(port, kPurgeAll);
    // A pseudo-terminal behind a Wine COM port has no modem lines and says so
    // with ERROR_NOT_SUPPORTED; the link then goes on without DTR and RTS.
    DWORD status = 0;
    modemLines_ = GetCommModemStatus(port, &status) != 0;
    handle_ = port;
    guard_ = guard;
    head_ = tail_ = 0;
    timeouts_ = {};
    driverCurrent_ = false;
    return {true, {}};
}

bool Win32SerialPort::setQueueSizes(std::size_t input, std::size_t output) {
    return isOpen() && SetupComm(h(handle_), static_cast<DWORD>(input), static_cast<DWORD>(output));
}

bool Win32SerialPort::apply(const link::LineSettings& settings) {
    if (!isOpen()) return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h(handle_), &dcb)) return false;
    applyToDcb(settings, dcb);
    if (!modemLines_) {
        // Asking for lines the device lacks fails the whole call: leave them be.
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
    }
    if (SetCommState(h(handle_), &dcb)) return true;
    // A driver that set the speed and framing but not a modem line has done
    // what the link needs; anything else is a refusal.
    if (GetLastError() != ERROR_NOT_SUPPORTED) return false;
    DCB back{};
    back.DCBlength = sizeof back;
    return GetCommState(h(handle_), &back) && framingMatches(settings, back);
}

bool Win32SerialPort::setTimeouts(const link::PortTimeouts& t) {
    if (!isOpen()) return false;
    timeouts_ = t;
    driverCurrent_ = false;
    return true;
}

bool Win32SerialPort::setDriverTimeouts(link::Tick readWaitMs) {
    if (driverCurrent_ && driverReadWait_ == readWaitMs) return true;
    COMMTIMEOUTS t = commTimeoutsFor(readWaitMs, timeouts_);
    driverCurrent_ = SetCommTimeouts(h(handle_), &t) != 0;
    driverReadWait_ = readWaitMs;
    return driverCurrent_;
}

bool Win32SerialPort::fill(link::Tick waitMs) {
    // What the driver already holds comes in one call; when it holds nothing,
    // the driver waits for the next byte, sleeping, until the deadline.
    DWORD got = 0;
    if (setDriverTimeouts(0) &&
        ReadFile(h(handle_), buffer_.data(), static_cast<DWORD>(buffer_.size()), &got, nullptr) && got > 0) {
        head_ = 0;
        tail_ = got;
        return true;
    }
    if (waitMs == 0 || !setDriverTimeouts(waitMs)) return false;
    if (!ReadFile(h(handle_), buffer_.data(), 1, &got, nullptr) || got == 0) return false;
    head_ = 0;
    tail_ = 1;
    return true;
}

std::optional<std::uint8_t> Win32SerialPort::readByte(link::Tick waitMs) {
    if (!isOpen()) return std::nullopt;
    if (head_ == tail_ && !fill(waitMs)) return std::nullopt;
    return buffer_[head_++];
}

void Win32SerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen() || bytes.empty()) return;
    // The write time-outs are the driver's; the read wait set last stays.
    if (!driverCurrent_) setDriverTimeouts(driverReadWait_);
    DWORD written = 0;
    WriteFile(h(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Win32SerialPort::purgeInput() {
    if (!isOpen()) return;
    PurgeComm(h(handle_), PURGE_RXABORT | PURGE_RXCLEAR);
    head_ = tail_ = 0;
}

void Win32SerialPort::close() {
    if (handle_) {
        // Only what was received is thrown away: the last bytes written (an
        // upload's final answer) must still reach the terminal.
        PurgeComm(h(handle_), PURGE_RXABORT | PURGE_RXCLEAR);
        CloseHandle(h(handle_));
        handle_ = nullptr;
    }
    if (guard_) {
        CloseHandle(h(guard_));
        guard_ = nullptr;
    }
    head_ = tail_ = 0;
}

}  // namespace appgen::platform
