#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
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
    } else if (error == EBUSY) {
        text += ". Another program has the port open.";
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
    // Not shared: nobody else may open the device while we hold it.
    if (ioctl(fd, TIOCEXCL) != 0 && errno == EBUSY) {
        ::close(fd);
        return {false, openFailureText(device_, EBUSY)};
    }
    int lines = 0;
    modemLines_ = ioctl(fd, TIOCMGET, &lines) == 0;
    fd_ = fd;
    head_ = tail_ = 0;
    timeouts_ = {};
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

bool PosixSerialPort::fill(link::Tick waitMs) {
    const unsigned long long deadline = monotonicMs() + waitMs;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            head_ = 0;
            tail_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EIO) return false;
        const unsigned long long now = monotonicMs();
        if (now >= deadline) return false;
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(deadline - now));
        if (r == 0) return false;
        if (r < 0 && errno != EINTR) return false;
        // A hung-up peer reports POLLHUP at once; sleep out the wait rather than spin.
        if (r > 0 && !(p.revents & POLLIN)) {
            const unsigned long long later = monotonicMs();
            if (later < deadline) {
                timespec ts{static_cast<time_t>((deadline - later) / 1000),
                            static_cast<long>((deadline - later) % 1000) * 1000000L};
                nanosleep(&ts, nullptr);
            }
            return false;
        }
    }
}

std::optional<std::uint8_t> PosixSerialPort::readByte(link::Tick waitMs) {
    if (fd_ < 0) return std::nullopt;
    if (head_ == tail_ && !fill(waitMs)) return std::nullopt;
    return buffer_[head_++];
}

void PosixSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return;
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
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return;
        int wait = -1;
        if (bounded) {
            const unsigned long long now = monotonicMs();
            if (now >= deadline) return;
            wait = static_cast<int>(deadline - now);
        }
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, wait) == 0) return;
    }
}

void PosixSerialPort::purgeInput() {
    if (fd_ < 0) return;
    tcflush(fd_, TCIFLUSH);
    head_ = tail_ = 0;
}

void PosixSerialPort::close() {
    if (fd_ < 0) return;
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    head_ = tail_ = 0;
}

}  // namespace appgen::platform
