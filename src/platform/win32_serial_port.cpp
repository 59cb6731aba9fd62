#include "platform/win32_serial_port.h"

#include <windows.h>

#include "platform/win32_serial_settings.h"
#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

HANDLE h(void* p) { return static_cast<HANDLE>(p); }

constexpr DWORD kPurgeAll = PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR;

}  // namespace

struct Win32SerialPort::Found {
    DCB dcb{};
    COMMTIMEOUTS timeouts{};
    bool hasTimeouts = false;
};

Win32SerialPort::Win32SerialPort() : found_(std::make_unique<Found>()) {}

Win32SerialPort::~Win32SerialPort() { close(); }

link::OpenResult Win32SerialPort::open(const std::string& name) {
    close();
    const std::wstring device = win32DeviceName(name);
    // Windows refuses a second open of a port opened without sharing, but Wine
    // lets it through; a mutex of our own keeps two of our programs apart there.
    HANDLE guard = CreateMutexW(nullptr, FALSE, portMutexName(device).c_str());
    if (guard && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(guard);
        return win32OpenFailure(name, ERROR_ACCESS_DENIED);
    }
    HANDLE port = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (guard) CloseHandle(guard);
        return win32OpenFailure(name, error);
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        link::OpenResult notSerial = win32OpenFailure(name, GetLastError());
        notSerial.problem = link::OpenProblem::NotSerial;
        CloseHandle(port);
        if (guard) CloseHandle(guard);
        return notSerial;
    }
    found_->dcb = dcb;
    found_->hasTimeouts = GetCommTimeouts(port, &found_->timeouts) != 0;
    // Neither opening nor setting the line flushes what arrived earlier.
    PurgeComm(port, kPurgeAll);
    // A pseudo-terminal behind a Wine COM port has no modem lines and says so
    // with ERROR_NOT_SUPPORTED; the link then goes on without DTR and RTS.
    DWORD status = 0;
    modemLines_ = GetCommModemStatus(port, &status) != 0;
    handle_ = port;
    guard_ = guard;
    name_ = name;
    status_ = link::LineStatus::Up;
    lostReason_.clear();
    head_ = tail_ = 0;
    timeouts_ = {};
    driverCurrent_ = false;
    return {.ok = true};
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

void Win32SerialPort::lose(unsigned long error) {
    if (status_ != link::LineStatus::Up) return;
    status_ = link::LineStatus::Lost;
    lostReason_ = name_ + ": " + win32ErrorText(error);
}

bool Win32SerialPort::stopAsked() const {
    if (stop_ && WaitForSingleObject(h(stop_), 0) == WAIT_OBJECT_0) status_ = link::LineStatus::Stopped;
    return status_ == link::LineStatus::Stopped;
}

link::LineStatus Win32SerialPort::status() const {
    if (isOpen() && status_ == link::LineStatus::Up) stopAsked();
    return status_;
}

bool Win32SerialPort::read(unsigned long size, unsigned long& got) {
    got = 0;
    // A read that fails is no time-out: the driver lost the device (a pulled
    // USB adapter answers ERROR_BAD_COMMAND, ERROR_ACCESS_DENIED or
    // ERROR_OPERATION_ABORTED from then on).
    if (ReadFile(h(handle_), buffer_.data(), size, &got, nullptr)) return true;
    lose(GetLastError());
    return false;
}

bool Win32SerialPort::fill(link::Tick waitMs) {
    if (status_ != link::LineStatus::Up || stopAsked()) return false;
    // What the driver already holds comes in one call; when it holds nothing,
    // the driver waits for the next byte, sleeping, until the deadline. With
    // a stop event the wait goes in slices, the event looked at after each.
    DWORD got = 0;
    if (!setDriverTimeouts(0)) {
        lose(GetLastError());
        return false;
    }
    if (!read(static_cast<DWORD>(buffer_.size()), got)) return false;
    if (got == 0 && waitMs > 0) {
        const ULONGLONG deadline = GetTickCount64() + waitMs;
        for (ULONGLONG now = GetTickCount64(); got == 0 && now < deadline; now = GetTickCount64()) {
            const ULONGLONG left = deadline - now;
            const link::Tick slice = static_cast<link::Tick>(stop_ && left > kStopSliceMs ? kStopSliceMs : left);
            if (!setDriverTimeouts(slice)) {
                lose(GetLastError());
                return false;
            }
            if (!read(1, got)) return false;
            if (got == 0 && stopAsked()) return false;
        }
    }
    if (got == 0) return false;
    head_ = 0;
    tail_ = got;
    return true;
}

std::optional<std::uint8_t> Win32SerialPort::readByte(link::Tick waitMs) {
    if (!isOpen() || status_ != link::LineStatus::Up) return std::nullopt;
    if (head_ == tail_ && !fill(waitMs)) return std::nullopt;
    return buffer_[head_++];
}

std::size_t Win32SerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen() || bytes.empty() || status_ != link::LineStatus::Up || stopAsked()) return 0;
    // The write time-outs are the driver's; the read wait set last stays.
    if (!driverCurrent_ && !setDriverTimeouts(driverReadWait_)) {
        lose(GetLastError());
        return 0;
    }
    DWORD written = 0;
    // Fewer bytes written is the write time-out; a failure, the device gone.
    if (!WriteFile(h(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        lose(GetLastError());
    return written;
}

bool Win32SerialPort::drainOutput() {
    if (!isOpen() || status_ != link::LineStatus::Up) return false;
    // On a communications device this returns when the driver's transmit
    // queue is empty. A driver that cannot tell is no lost line: the next
    // read or write finds out.
    return FlushFileBuffers(h(handle_)) != 0;
}

void Win32SerialPort::purgeInput() {
    if (!isOpen()) return;
    PurgeComm(h(handle_), PURGE_RXABORT | PURGE_RXCLEAR);
    head_ = tail_ = 0;
}

void Win32SerialPort::restoreLine() {
    // The device gone, there is nothing to put back and nothing would leave.
    if (status_ == link::LineStatus::Up) FlushFileBuffers(h(handle_));
    SetCommState(h(handle_), &found_->dcb);
    if (found_->hasTimeouts) SetCommTimeouts(h(handle_), &found_->timeouts);
}

void Win32SerialPort::close() {
    if (handle_) {
        restoreLine();
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
