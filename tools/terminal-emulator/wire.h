// The emulator's end of the line: the master side of a pseudo-terminal,
// with optional pacing at a line speed and a raw capture of what arrives.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace emulator {

class Wire {
public:
    Wire() = default;
    ~Wire();
    Wire(const Wire&) = delete;
    Wire& operator=(const Wire&) = delete;

    // Opens the pseudo-terminal and keeps its slave open too, raw, so the
    // line stays up between the PC's opens. False with a message on failure.
    bool open();
    const std::string& slavePath() const { return slavePath_; }
    void setPace(long baud) { byteNs_ = baud > 0 ? 10'000'000'000LL / baud : 0; }
    void setCapture(const std::string& path);

    // The next byte from the PC, waiting at most timeoutMs.
    std::optional<std::uint8_t> next(int timeoutMs);
    // The speed the PC side has set on the line now, in bit/s (0 if unknown).
    long lineBaud() const;
    // Sends the bytes, paced: not before the last byte received has had its
    // time on the wire, and taking each byte's time itself.
    void send(const std::string& bytes);

    // Closes both ends of the pseudo-terminal: the PC's side hangs up.
    void hangUp();

    // Milliseconds from each reply sent to the first byte that followed it:
    // what the PC needs beyond the emulator's own reply.
    const std::vector<double>& gaps() const { return gapsMs_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::FILE* capture_ = nullptr;
    long long byteNs_ = 0;
    long long rxReadyNs_ = 0;  // when the last byte received would have arrived on the wire
    long long sentAtNs_ = 0;
    bool awaitingFirst_ = false;
    std::vector<double> gapsMs_;
    std::uint8_t buf_[4096];
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

}  // namespace emulator
