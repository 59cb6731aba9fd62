#include "wire.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace emulator {
namespace {

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

void sleepUntilNs(long long at) {
    timespec ts{static_cast<time_t>(at / 1'000'000'000LL), static_cast<long>(at % 1'000'000'000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

long baudOf(speed_t s) {
    switch (s) {
        case B1200: return 1200;
        case B2400: return 2400;
        case B4800: return 4800;
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        case B57600: return 57600;
        case B115200: return 115200;
        case B230400: return 230400;
        default: return 0;
    }
}

}  // namespace

Wire::~Wire() {
    if (capture_) std::fclose(capture_);
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool Wire::open() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        std::fprintf(stderr, "terminal-emulator: no pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) return false;
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        std::fprintf(stderr, "terminal-emulator: cannot open %s: %s\n", name, std::strerror(errno));
        return false;
    }
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void Wire::hangUp() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

void Wire::setCapture(const std::string& path) {
    if (!path.empty()) capture_ = std::fopen(path.c_str(), "wb");
}

std::optional<std::uint8_t> Wire::next(int timeoutMs) {
    if (head_ == tail_ && master_ < 0) return std::nullopt;
    if (head_ == tail_) {
        const long long deadline = monotonicNs() + static_cast<long long>(timeoutMs) * 1'000'000LL;
        for (;;) {
            const ssize_t n = ::read(master_, buf_, sizeof buf_);
            if (n > 0) {
                head_ = 0;
                tail_ = static_cast<std::size_t>(n);
                const long long at = monotonicNs();
                if (awaitingFirst_) {
                    gapsMs_.push_back(static_cast<double>(at - sentAtNs_) / 1e6);
                    awaitingFirst_ = false;
                }
                if (capture_) {
                    std::fwrite(buf_, 1, tail_, capture_);
                    std::fflush(capture_);
                }
                // Bytes that came together still take their time on the wire.
                rxReadyNs_ = std::max(rxReadyNs_, at);
                break;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) return std::nullopt;
            const long long left = deadline - monotonicNs();
            if (left <= 0) return std::nullopt;
            pollfd p{master_, POLLIN, 0};
            const int r = ::poll(&p, 1, static_cast<int>((left + 999'999) / 1'000'000));
            if (r == 0) return std::nullopt;
            if (r > 0 && !(p.revents & POLLIN)) {
                // Nobody on the other side: wait out the time rather than spin.
                sleepUntilNs(deadline);
                return std::nullopt;
            }
        }
    }
    rxReadyNs_ += byteNs_;
    return buf_[head_++];
}

long Wire::lineBaud() const {
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0) return 0;
    return baudOf(cfgetospeed(&tio));
}

void Wire::send(const std::string& bytes) {
    if (byteNs_ > 0) {
        const long long start = std::max(monotonicNs(), rxReadyNs_);
        sleepUntilNs(start + byteNs_ * static_cast<long long>(bytes.size()));
    }
    // A PC that went away reads nothing; give up rather than wait for ever.
    const long long giveUp = monotonicNs() + 2'000'000'000LL;
    std::size_t done = 0;
    while (done < bytes.size() && monotonicNs() < giveUp) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else {
            break;
        }
    }
    sentAtNs_ = monotonicNs();
    awaitingFirst_ = true;
}

}  // namespace emulator
