#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/device_names.h"

namespace appgen::platform {
namespace {

bool speedOf(std::uint32_t baud, speed_t& speed) {
    switch (baud) {
        case 9600: speed = B9600; return true;
        case 19200: speed = B19200; return true;
        case 38400: speed = B38400; return true;
        case 57600: speed = B57600; return true;
        case 115200: speed = B115200; return true;
        default: return false;
    }
}

unsigned long long monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<unsigned long long>(ts.tv_sec) * 1000ull +
           static_cast<unsigned long long>(ts.tv_nsec) / 1000000ull;
}

// Sets or clears one modem line; false when the device has none.
bool setModemLine(int fd, int line, bool on) {
    return ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

}  // namespace

std::string openFailureText(const std::string& device, int error) {
    std::string text = "cannot open port " + device + ": " + std::strerror(error);
    if (error == EACCES || error == EPERM) {
        text += ". Serial devices usually belong to the 'dialout' group: add your user to it "
                "(sudo usermod -aG dialout $USER) and log in again.";
    } else if (error == EBUSY || error == EWOULDBLOCK) {
        text += ". The port is in use by another program.";
    } else if (error == ENOENT) {
        text += ". Set APPGEN_COMn to the device that stands for COMn; USB adapters are "
                "usually /dev/ttyUSB0 or /dev/ttyACM0.";
    }
    return text;
}

PosixSerialPort::~PosixSerialPort() { close(); }

link::OpenResult PosixSerialPort::open(const std::string& name) {
    close();
    device_ = deviceForPortName(name);
    const int fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {false, openFailureText(device_, errno)};
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        const int err = errno;
        ::close(fd);
        return {false, "cannot open port " + device_ + ": " + std::strerror(err) +
                           " (it is not a serial device)"};
    }
    // Not shared: the exclusive mode keeps other programs out, the lock keeps
    // out another appgen even where the exclusive mode does not bind (root).
    if (ioctl(fd, TIOCEXCL) != 0 && errno == EBUSY) {
        ::close(fd);
        return {false, openFailureText(device_, EBUSY)};
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);  // our exclusive mode goes with it: the holder set its own
        return {false, openFailureText(device_, err)};
    }
    // What arrived before this open (a late answer to an earlier run) is no
    // answer to anything we will send.
    tcflush(fd, TCIFLUSH);
    int lines = 0;
    modemLines_ = ioctl(fd, TIOCMGET, &lines) == 0;
    fd_ = fd;
    head_ = tail_ = 0;
    timeouts_ = {};
    status_ = link::LineStatus::Up;
    lostReason_.clear();
    return {true, {}};
}

bool PosixSerialPort::setQueueSizes(std::size_t, std::size_t) {
    // The driver sizes its own queues; the link reads often enough for any of them.
    return isOpen();
}

bool PosixSerialPort::apply(const link::LineSettings& s) {
    if (fd_ < 0) return false;
    speed_t speed{};
    if (!speedOf(s.baudRate, speed)) return false;
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    switch (s.byteSize) {
        case 5: tio.c_cflag |= CS5; break;
        case 6: tio.c_cflag |= CS6; break;
        case 7: tio.c_cflag |= CS7; break;
        case 8: tio.c_cflag |= CS8; break;
        default: return false;
    }
    switch (s.parity) {
        case link::Parity::None: break;
        case link::Parity::Odd: tio.c_cflag |= PARENB | PARODD; break;
        case link::Parity::Even: tio.c_cflag |= PARENB; break;
        default: return false;  // mark and space parity have no portable termios form
    }
    if (s.stopBits == link::StopBits::Two) tio.c_cflag |= CSTOPB;
    if (s.stopBits == link::StopBits::OneAndHalf) return false;
    if (s.outxCtsFlow) tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (s.outX) tio.c_iflag |= IXON;
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
    termios back{};
    if (tcgetattr(fd_, &back) != 0 || cfgetospeed(&back) != speed) return false;

    if (modemLines_) {
        // Lines in handshake mode are left to the driver's flow control.
        if (s.dtr != link::LineMode::Handshake)
            setModemLine(fd_, TIOCM_DTR, s.dtr == link::LineMode::Enable);
        if (s.rts != link::LineMode::Handshake)
            setModemLine(fd_, TIOCM_RTS, s.rts == link::LineMode::Enable);
    }
    return true;
}

bool PosixSerialPort::setTimeouts(const link::PortTimeouts& t) {
    if (fd_ < 0) return false;
    timeouts_ = t;
    return true;
}

void PosixSerialPort::lose(const std::string& reason) {
    if (status_ != link::LineStatus::Up) return;
    status_ = link::LineStatus::Lost;
    lostReason_ = device_ + ": " + reason;
}

bool PosixSerialPort::stopAsked() {
    if (stopFd_ < 0) return false;
    pollfd p{stopFd_, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0) status_ = link::LineStatus::Stopped;
    return status_ == link::LineStatus::Stopped;
}

bool PosixSerialPort::takeWaiting() {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            head_ = 0;
            tail_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        // Nothing waiting: a raw line with no minimum answers 0 or EAGAIN.
        if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) return false;
        lose(std::strerror(errno));  // EIO: the device or its far side is gone
        return false;
    }
}

bool PosixSerialPort::fill(link::Tick waitMs) {
    if (status_ != link::LineStatus::Up || stopAsked()) return false;
    const unsigned long long deadline = monotonicMs() + waitMs;
    for (;;) {
        if (takeWaiting()) return true;
        if (status_ != link::LineStatus::Up) return false;
        const unsigned long long now = monotonicMs();
        if (now >= deadline) return false;
        pollfd p[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        const int r = ::poll(p, stopFd_ >= 0 ? 2 : 1, static_cast<int>(deadline - now));
        if (r == 0) return false;
        if (r < 0) {
            if (errno == EINTR) continue;  // a signal: its descriptor tells whether to stop
            lose(std::strerror(errno));
            return false;
        }
        if (stopFd_ >= 0 && p[1].revents != 0) {
            status_ = link::LineStatus::Stopped;
            return false;
        }
        if (p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // Bytes that came before the hang-up are still taken; then it is gone.
            if (takeWaiting()) return true;
            lose(p[0].revents & POLLHUP ? "the line hung up" : "the device reports an error");
            return false;
        }
    }
}

std::optional<std::uint8_t> PosixSerialPort::readByte(link::Tick waitMs) {
    if (fd_ < 0 || status_ != link::LineStatus::Up) return std::nullopt;
    if (head_ == tail_ && !fill(waitMs)) return std::nullopt;
    return buffer_[head_++];
}

void PosixSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || status_ != link::LineStatus::Up || stopAsked()) return;
    const unsigned long long limit =
        static_cast<unsigned long long>(timeouts_.writeTotalMultiplier) * bytes.size() +
        timeouts_.writeTotalConstant;
    // No write time-out set means none: wait as long as the driver needs.
    const bool bounded = limit > 0;
    const unsigned long long deadline = monotonicMs() + limit;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            lose(std::strerror(errno));
            return;
        }
        int wait = -1;
        if (bounded) {
            const unsigned long long now = monotonicMs();
            if (now >= deadline) return;
            wait = static_cast<int>(deadline - now);
        }
        pollfd p[2] = {{fd_, POLLOUT, 0}, {stopFd_, POLLIN, 0}};
        const int r = ::poll(p, stopFd_ >= 0 ? 2 : 1, wait);
        if (r == 0) return;
        if (r < 0 && errno == EINTR) continue;
        if (stopFd_ >= 0 && p[1].revents != 0) {
            status_ = link::LineStatus::Stopped;
            return;
        }
        if (r < 0 || (p[0].revents & (POLLHUP | POLLERR | POLLNVAL))) {
            lose(r < 0 ? std::strerror(errno) : "the line hung up");
            return;
        }
    }
}

void PosixSerialPort::purgeInput() {
    if (fd_ < 0) return;
    tcflush(fd_, TCIFLUSH);
    head_ = tail_ = 0;
}

void PosixSerialPort::close() {
    if (fd_ < 0) return;
    // The exclusive mode belongs to the device, not to our descriptor: it
    // would outlive us while anyone else holds the device open.
    ioctl(fd_, TIOCNXCL);
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    head_ = tail_ = 0;
}

}  // namespace appgen::platform
