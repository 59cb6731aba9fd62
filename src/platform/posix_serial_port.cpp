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

#include "platform/port_discovery.h"
#include "platform/port_map.h"

#ifdef __linux__
#include <linux/serial.h>
#endif

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

#ifdef __linux__
const int kLowLatencyFlag = ASYNC_LOW_LATENCY;

LatencyControl systemLatencyControl() {
    return {[](int fd) -> std::optional<int> {
                serial_struct ss{};
                if (ioctl(fd, TIOCGSERIAL, &ss) != 0) return std::nullopt;
                return ss.flags;
            },
            [](int fd, int flags) {
                serial_struct ss{};
                if (ioctl(fd, TIOCGSERIAL, &ss) != 0) return false;
                ss.flags = flags;
                return ioctl(fd, TIOCSSERIAL, &ss) == 0;
            }};
}
#else
const int kLowLatencyFlag = 0;

LatencyControl systemLatencyControl() {
    return {[](int) -> std::optional<int> { return std::nullopt; }, [](int, int) { return false; }};
}
#endif

PosixSerialPort::~PosixSerialPort() { close(); }

link::OpenProblem openProblemOf(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO: return link::OpenProblem::Missing;
        case EACCES:
        case EPERM: return link::OpenProblem::Forbidden;
        case EBUSY: return link::OpenProblem::Busy;
        case ENOTTY: return link::OpenProblem::NotSerial;
        default: return link::OpenProblem::Other;
    }
}

// The device, the system's reason; for a missing device the devices the
// machine has.
link::OpenResult PosixSerialPort::failed(const link::PortAnswer& port, int error, int fd) {
    if (fd >= 0) ::close(fd);
    link::OpenResult r{
        .ok = false, .port = port, .problem = openProblemOf(error), .reason = std::strerror(error)};
    if (r.problem == link::OpenProblem::Missing) r.found = lister_ ? lister_() : findSerialDevices();
    return r;
}

void PosixSerialPort::askLowLatency(int fd) {
    restoreFlags_.reset();
    if (kLowLatencyFlag == 0 || !latency_.readFlags) return;
    const std::optional<int> flags = latency_.readFlags(fd);
    if (!flags || (*flags & kLowLatencyFlag)) return;  // no such driver, or already so
    if (latency_.writeFlags(fd, *flags | kLowLatencyFlag)) restoreFlags_ = *flags;
}

link::OpenResult PosixSerialPort::open(const std::string& name) {
    close();
    const link::PortAnswer port = resolvePortName(name);
    device_ = port.device;
    const int fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failed(port, errno);
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return failed(port, errno, fd);
    // Not shared: the exclusive mode keeps other programs out, the lock keeps
    // out another appgen even where the exclusive mode does not bind (root).
    if (ioctl(fd, TIOCEXCL) != 0 && errno == EBUSY) return failed(port, EBUSY, fd);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        // Held by another appgen; our exclusive mode goes with our descriptor.
        return failed(port, err == EWOULDBLOCK ? EBUSY : err, fd);
    }
    // What arrived before this open (a late answer to an earlier run) is no
    // answer to anything we will send.
    tcflush(fd, TCIFLUSH);
    int lines = 0;
    modemLines_ = ioctl(fd, TIOCMGET, &lines) == 0;
    found_ = tio;
    foundLines_ = lines & (TIOCM_DTR | TIOCM_RTS);
    askLowLatency(fd);
    fd_ = fd;
    head_ = tail_ = 0;
    timeouts_ = {};
    status_ = link::LineStatus::Up;
    lostReason_.clear();
    return {.ok = true, .port = port};
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

bool PosixSerialPort::stopAsked() const {
    if (stopFd_ < 0) return status_ == link::LineStatus::Stopped;
    pollfd p{stopFd_, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0) status_ = link::LineStatus::Stopped;
    return status_ == link::LineStatus::Stopped;
}

link::LineStatus PosixSerialPort::status() const {
    if (fd_ >= 0 && status_ == link::LineStatus::Up) stopAsked();
    return status_;
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

std::size_t PosixSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || status_ != link::LineStatus::Up || stopAsked()) return 0;
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
            return done;
        }
        int wait = -1;
        if (bounded) {
            const unsigned long long now = monotonicMs();
            if (now >= deadline) return done;
            wait = static_cast<int>(deadline - now);
        }
        pollfd p[2] = {{fd_, POLLOUT, 0}, {stopFd_, POLLIN, 0}};
        const int r = ::poll(p, stopFd_ >= 0 ? 2 : 1, wait);
        if (r == 0) return done;
        if (r < 0 && errno == EINTR) continue;
        if (stopFd_ >= 0 && p[1].revents != 0) {
            status_ = link::LineStatus::Stopped;
            return done;
        }
        if (r < 0 || (p[0].revents & (POLLHUP | POLLERR | POLLNVAL))) {
            lose(r < 0 ? std::strerror(errno) : "the line hung up");
            return done;
        }
    }
    return done;
}

bool PosixSerialPort::drainOutput() {
    if (fd_ < 0 || status_ != link::LineStatus::Up) return false;
    // The bytes of one unit leave within milliseconds: no flow control holds them.
    while (tcdrain(fd_) != 0) {
        if (errno != EINTR) {
            lose(std::strerror(errno));
            return false;
        }
        if (stopAsked()) return false;  // Ctrl-C: a wait in progress returns to look
    }
    return true;
}

void PosixSerialPort::purgeInput() {
    if (fd_ < 0) return;
    tcflush(fd_, TCIFLUSH);
    head_ = tail_ = 0;
}

// The next program finds the device as this one found it: speed, framing and
// modes, DTR and RTS.
void PosixSerialPort::restoreLine() {
    // What is still queued goes out at the transfer's speed first, unless the
    // line is gone or the program was asked to end (no wait then).
    const bool drain = status_ == link::LineStatus::Up;
    if (tcsetattr(fd_, drain ? TCSADRAIN : TCSANOW, &found_) != 0 && drain && errno == EINTR)
        tcsetattr(fd_, TCSANOW, &found_);  // a Ctrl-C during the drain
    if (!modemLines_) return;
    setModemLine(fd_, TIOCM_DTR, (foundLines_ & TIOCM_DTR) != 0);
    setModemLine(fd_, TIOCM_RTS, (foundLines_ & TIOCM_RTS) != 0);
}

void PosixSerialPort::close() {
    if (fd_ < 0) return;
    restoreLine();
    // The exclusive mode belongs to the device, not to our descriptor: it
    // would outlive us while anyone else holds the device open.
    ioctl(fd_, TIOCNXCL);
    // The driver's flags are the device's, not ours: the next program finds
    // them as they were.
    if (restoreFlags_) latency_.writeFlags(fd_, *restoreFlags_);
    restoreFlags_.reset();
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    head_ = tail_ = 0;
}

}  // namespace appgen::platform
