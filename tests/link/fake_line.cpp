#include "fake_line.h"

namespace appgen::link::testing {

Bytes bytesOf(std::string_view s) { return Bytes(s.begin(), s.end()); }
std::string textOf(const Bytes& b) { return std::string(b.begin(), b.end()); }

void FakePort::record(PortEvent e) {
    e.at = clock_.time();
    events.push_back(std::move(e));
}

void FakePort::deliver(std::string_view bytes, Tick after) { deliver(bytesOf(bytes), after); }

void FakePort::deliver(const Bytes& bytes, Tick after) {
    std::uint64_t at = clock_.time() + after;
    if (!incoming_.empty() && incoming_.back().at > at) at = incoming_.back().at;
    for (const std::uint8_t b : bytes) incoming_.push_back({at, b});
}

std::vector<Bytes> FakePort::writes() const {
    std::vector<Bytes> out;
    for (const auto& e : events)
        if (e.kind == PortEvent::Kind::Write) out.push_back(e.bytes);
    return out;
}

std::vector<PortEvent> FakePort::eventsOf(PortEvent::Kind k) const {
    std::vector<PortEvent> out;
    for (const auto& e : events)
        if (e.kind == k) out.push_back(e);
    return out;
}

OpenResult FakePort::open(const std::string& name) {
    PortEvent e{PortEvent::Kind::Open};
    e.name = name;
    record(e);
    if (failOpen) return {.ok = false, .reason = openReason};
    open_ = true;
    status_ = LineStatus::Up;
    return {.ok = true};
}

bool FakePort::setQueueSizes(std::size_t input, std::size_t output) {
    record({PortEvent::Kind::Queues});
    inputQueue = input;
    outputQueue = output;
    return open_;
}

bool FakePort::apply(const LineSettings& settings) {
    PortEvent e{PortEvent::Kind::Apply};
    e.line = settings;
    record(e);
    if (failApply || !open_) return false;
    applied_ = settings;
    return true;
}

bool FakePort::setTimeouts(const PortTimeouts& t) {
    PortEvent e{PortEvent::Kind::Timeouts};
    e.timeouts = t;
    record(e);
    timeouts_ = t;
    return open_;
}

void FakePort::goDown(LineStatus s, std::string reason) {
    status_ = s;
    lostReason_ = std::move(reason);
}

LineStatus FakePort::status() const {
    if (status_ == LineStatus::Up && stopAt && clock_.time() >= *stopAt) return LineStatus::Stopped;
    return status_;
}

std::optional<std::uint8_t> FakePort::readByte(Tick waitMs) {
    if (status() != LineStatus::Up) {
        ++readsWhileDown;
        return std::nullopt;
    }
    if (open_ && !incoming_.empty() && incoming_.front().at <= clock_.time() + waitMs) {
        clock_.moveTo(incoming_.front().at);
        const std::uint8_t b = incoming_.front().byte;
        incoming_.pop_front();
        return b;
    }
    clock_.moveTo(clock_.time() + waitMs);
    return std::nullopt;
}

std::size_t FakePort::write(std::span<const std::uint8_t> bytes) {
    PortEvent e{PortEvent::Kind::Write};
    e.bytes.assign(bytes.begin(), bytes.end());
    e.line = applied_;
    record(e);
    if (!open_ || status() != LineStatus::Up) return 0;
    if (holdOutput) {
        clock_.sleepFor(timeouts_.writeTotalMultiplier * static_cast<Tick>(bytes.size()) +
                        timeouts_.writeTotalConstant);
        return 0;
    }
    if (onWrite) onWrite(*this, e.bytes);
    return bytes.size();
}

bool FakePort::drainOutput() {
    record({PortEvent::Kind::Drain});
    return open_ && status() == LineStatus::Up;
}

void FakePort::purgeInput() {
    record({PortEvent::Kind::Purge});
    incoming_.clear();
}

void FakePort::close() {
    record({PortEvent::Kind::Close});
    open_ = false;
}

void ReplyScript::attach(FakePort& port) {
    port.onWrite = [this](FakePort& p, const Bytes&) {
        const std::optional<std::string> r = used < replies.size() ? replies[used] : otherwise;
        ++used;
        if (r) p.deliver(*r, latency);
    };
}

}  // namespace appgen::link::testing
