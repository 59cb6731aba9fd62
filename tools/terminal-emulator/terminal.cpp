#include "terminal.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace emulator {
namespace {

constexpr int kBlocks = 200;
constexpr std::size_t kBlockData = 100;
constexpr std::size_t kBlockSize = 103;
constexpr int kGapMs = 50;  // a partial unit followed by this much quiet is dropped
constexpr std::size_t kMaxLine = 1024;
constexpr int kAnswerWaitMs = 5000;
constexpr int kMaxResends = 50;

unsigned char notCr(unsigned sum) {
    const auto b = static_cast<unsigned char>(sum);
    return b == 0x0D ? 0x0E : b;
}

unsigned sumOf(const std::string& s, std::size_t from, std::size_t to) {
    unsigned sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += static_cast<unsigned char>(s[i]);
    return sum & 0xFFFF;
}

bool endsWith(const std::string& s, const char* tail) {
    const std::string t = tail;
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

std::string recordFrame(int seq, const std::string& data) {
    std::string f(1, static_cast<char>(seq));
    f += data;
    const unsigned sum = sumOf(f, 0, f.size());
    f.push_back(static_cast<char>(notCr(sum & 0xFF)));
    f.push_back(static_cast<char>(notCr(sum >> 8)));
    f.push_back('\r');
    return f;
}

}  // namespace

Terminal::Terminal(Options options, Wire& wire, EventLog& log)
    : o_(std::move(options)), wire_(wire), log_(log) {
    if (o_.cradleBaud) cradle_ = std::make_unique<Cradle>(o_.cradleBaud, o_.cradleNoise, wire_, log_);
    if (o_.mode == Mode::Upload) loadRecords();
}

std::optional<std::uint8_t> Terminal::nextByte(int timeoutMs) {
    for (;;) {
        const auto b = wire_.next(timeoutMs);
        if (!b) return std::nullopt;
        if (cradle_) {
            if (const auto passed = cradle_->pass(*b, idle_)) return passed;
            continue;
        }
        if (o_.lineBaud && wire_.lineBaud() != o_.lineBaud) {
            log_("lost 0x%02X sent at %ld (listening at %ld)", *b, wire_.lineBaud(), o_.lineBaud);
            continue;
        }
        return b;
    }
}

void Terminal::reply(const std::string& text) {
    if (o_.silent) return;
    wire_.send(text);
}

bool Terminal::answerHandshake() {
    if (o_.silent) {
        log_("handshake unanswered (silent)");
        return false;
    }
    log_("handshake");
    reply(o_.handshakeReply);
    return true;
}

bool Terminal::takeFull(int unit) {
    if (o_.fullAt != unit) return false;
    o_.fullAt = -1;
    return true;
}

bool Terminal::takeNak(int unit) {
    if (o_.nakAt != unit || o_.nakCount == 0) return false;
    if (o_.nakCount > 0) --o_.nakCount;
    return true;
}

bool Terminal::takeDrop(int unit) {
    if (o_.dropReplyAt != unit) return false;
    o_.dropReplyAt = -1;
    return true;
}

bool Terminal::takeStall(int unitsDone) {
    if (o_.stallAfter != unitsDone) return false;
    o_.stallAfter = -1;
    log_("stall after %d units", unitsDone);
    return true;
}

bool Terminal::takeLineFault(int unitsDone) {
    if (o_.exitAfter == unitsDone) {
        log_("switched off after %d units", unitsDone);
        std::exit(0);  // the system closes the line
    }
    if (o_.hangUpAfter != unitsDone) return false;
    o_.hangUpAfter = -1;
    log_("hung up after %d units", unitsDone);
    wire_.hangUp();
    // Linger like an unplugged adapter's driver: until told to go.
    for (;;) pause();
}

bool Terminal::takeHalf(int unit) {
    if (o_.halfFrameAt != unit) return false;
    o_.halfFrameAt = -1;
    return true;
}

Terminal::Unit Terminal::readBlock(std::string& out) {
    out.clear();
    while (out.size() < kBlockSize) {
        const auto b = nextByte(out.empty() ? o_.idleExitSeconds * 1000 : kGapMs);
        if (b) {
            out.push_back(static_cast<char>(*b));
            continue;
        }
        if (out.empty()) return Unit::Quiet;
        // A new attempt begins with the handshake, shorter than a block.
        if (out == "BRIGAN\r") return Unit::Handshake;
        log_("partial unit of %zu bytes dropped", out.size());
        out.clear();
    }
    return Unit::Data;
}

Terminal::Unit Terminal::readLine(std::string& out, int timeoutMs) {
    out.clear();
    for (;;) {
        const auto b = nextByte(timeoutMs);
        if (!b) return Unit::Quiet;
        if (*b == '\r') return out == "BRIGAN" ? Unit::Handshake : Unit::Data;
        if (out.size() < kMaxLine) out.push_back(static_cast<char>(*b));
    }
}

bool Terminal::programSession() {
    std::string image(kBlocks * kBlockData, '\0');
    int expected = 0;
    std::string block;
    if (takeStall(0) || takeLineFault(0)) return false;
    for (;;) {
        const Unit u = readBlock(block);
        if (u == Unit::Quiet) return false;
        if (u == Unit::Handshake) {
            if (!answerHandshake()) return false;
            expected = 0;
            continue;
        }
        const int n = static_cast<unsigned char>(block[kBlockSize - 1]);
        const unsigned sum = sumOf(block, 0, kBlockData);
        const bool sumOk = static_cast<unsigned char>(block[kBlockData]) == (sum >> 8) &&
                           static_cast<unsigned char>(block[kBlockData + 1]) == (sum & 0xFF);
        if (sumOk && n == expected - 1) {
            log_("block %d repeated", n);
            reply("ACK\r");
            continue;
        }
        if (!sumOk || n != expected) {
            log_("block %d refused: %s", n, sumOk ? "out of order" : "checksum");
            reply("NAK\r");
            continue;
        }
        if (takeFull(expected)) {
            log_("block %d: memory full", n);
            reply("FULL\r");
            return false;
        }
        if (takeNak(expected)) {
            log_("block %d refused (asked to)", n);
            reply("NAK\r");
            continue;
        }
        image.replace(static_cast<std::size_t>(n) * kBlockData, kBlockData, block, 0, kBlockData);
        ++expected;
        ++units_;
        // Everything is on disk before the last reply, so whoever sees the
        // transfer end finds the results there.
        const bool last = expected == kBlocks;
        if (last) {
            if (!o_.imageOut.empty()) std::ofstream(o_.imageOut, std::ios::binary) << image;
            complete("program");
        }
        if (takeDrop(n)) {
            log_("block %d ok, reply dropped", n);
        } else if (takeHalf(n)) {
            log_("block %d ok, half a reply", n);
            reply("AC");
        } else {
            log_("block %d ok", n);
            reply("ACK\r");
        }
        if (last) return true;
        if (takeStall(expected) || takeLineFault(expected)) return false;
    }
}

bool Terminal::lookupSession() {
    std::vector<std::string> lines;
    std::string line;
    if (takeStall(0) || takeLineFault(0)) return false;
    for (;;) {
        const Unit u = readLine(line, o_.idleExitSeconds * 1000);
        if (u == Unit::Quiet) return false;
        if (u == Unit::Handshake) {
            if (!answerHandshake()) return false;
            lines.clear();
            continue;
        }
        const int unit = static_cast<int>(lines.size());
        const bool over = line == "OVER";
        bool sumOk = false;
        if (!over && line.size() >= 2) {
            const unsigned sum = sumOf(line, 0, line.size() - 2);
            sumOk = static_cast<unsigned char>(line[line.size() - 2]) == notCr(sum >> 8) &&
                    static_cast<unsigned char>(line[line.size() - 1]) == notCr(sum & 0xFF);
        }
        if (!over && !sumOk) {
            log_("line %d refused: checksum", unit + 1);
            reply("NAK\r");
            continue;
        }
        if (takeFull(unit)) {
            log_("line %d: memory full", unit + 1);
            reply("FULL\r");
            return false;
        }
        if (takeNak(unit)) {
            log_("line %d refused (asked to)", unit + 1);
            reply("NAK\r");
            continue;
        }
        ++units_;
        if (!over) lines.push_back(line.substr(0, line.size() - 2));
        if (over) {
            if (!o_.lookupOut.empty()) {
                std::ofstream out(o_.lookupOut, std::ios::binary);
                for (const auto& l : lines) out << l << "\r\n";
            }
            complete("lookup");
        }
        if (takeDrop(unit)) {
            log_("%s ok, reply dropped", over ? "over" : "line");
        } else if (takeHalf(unit)) {
            log_("%s ok, half a reply", over ? "over" : "line");
            reply("AC");
        } else {
            if (over) log_("over");
            else log_("line %d ok, %zu bytes", unit + 1, line.size() - 2);
            reply("ACK\r");
        }
        if (over) return true;
        if (takeStall(unit + 1) || takeLineFault(unit + 1)) return false;
    }
}

bool Terminal::uploadSession() {
    int seq = o_.firstSeq;
    std::string answer;
    if (takeStall(0) || takeLineFault(0)) return false;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const int index = static_cast<int>(i);
        const std::string frame = recordFrame(seq, records_[i]);
        std::string first = frame;
        if (o_.corruptAt == index) {
            o_.corruptAt = -1;
            first[first.size() - 3] = static_cast<char>(notCr(static_cast<unsigned char>(first[first.size() - 3]) ^ 1u));
            log_("record %d sent with a wrong checksum", index);
        } else if (o_.longLineAt == index) {
            o_.longLineAt = -1;
            first = recordFrame(seq, std::string(300, 'X'));
            log_("record %d sent as a 300-byte line", index);
        }
        if (o_.floodAt == index) {
            o_.floodAt = -1;
            std::string garbage;
            unsigned x = 12345;
            while (static_cast<int>(garbage.size()) < o_.floodBytes) {
                x = x * 1103515245u + 12345u;
                const char b = static_cast<char>(x >> 16);
                if (b != '\r') garbage.push_back(b);
            }
            wire_.send(garbage);
            log_("flooded %d bytes before record %d", o_.floodBytes, index);
        }
        if (takeHalf(index)) {
            wire_.send(first.substr(0, first.size() / 2));
            log_("record %d: half a frame sent", index);
            if (readLine(answer, kAnswerWaitMs) != Unit::Data) return false;
            log_("record %d: half a frame answered %s", index, answer.c_str());
        }
        int sends = 0;
        for (const std::string* f = &first;; f = &frame) {
            if (++sends > kMaxResends) {
                log_("record %d: gave up after %d sends", index, kMaxResends);
                return false;
            }
            wire_.send(*f);
            if (readLine(answer, kAnswerWaitMs) != Unit::Data) {
                log_("record %d: no answer", index);
                return false;
            }
            if (answer == "ACK") break;
            log_("record %d answered %s", index, answer == "NAK" ? "NAK" : "something else");
        }
        log_("record %d taken, seq %d", index, seq);
        ++units_;
        if (o_.repeatAt == index) {
            o_.repeatAt = -1;
            wire_.send(frame);
            readLine(answer, kAnswerWaitMs);
            log_("record %d repeated, answered %s", index, answer.c_str());
        }
        seq = (seq + 1) % 10;
        if (takeStall(index + 1) || takeLineFault(index + 1)) return false;
    }
    complete("upload");
    wire_.send("OVER\r");
    log_("over sent");
    return true;
}

void Terminal::loadRecords() {
    if (!o_.records.empty()) {
        std::ifstream in(o_.records, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            records_.push_back(line);
        }
    }
    for (int i = 0; i < o_.generateCount; ++i) {
        std::string r(1, 'R');
        r += std::to_string(i);
        while (static_cast<int>(r.size()) < o_.generateSize) r.push_back(static_cast<char>('A' + r.size() % 26));
        r.resize(static_cast<std::size_t>(o_.generateSize));
        records_.push_back(r);
    }
}

void Terminal::writeStats() {
    if (o_.stats.empty()) return;
    std::vector<double> g = wire_.gaps();
    std::sort(g.begin(), g.end());
    std::FILE* f = std::fopen(o_.stats.c_str(), "w");
    if (!f) return;
    std::fprintf(f, "sessions %d\nunits %d\ngaps %zu\n", completed_, units_, g.size());
    if (!g.empty()) {
        std::fprintf(f, "gap_median_ms %.4f\ngap_p90_ms %.4f\ngap_max_ms %.4f\n", g[g.size() / 2],
                     g[g.size() * 9 / 10], g.back());
    }
    std::fclose(f);
}

void Terminal::complete(const char* what) {
    ++completed_;
    log_("session complete: %s", what);
    writeStats();
}

int Terminal::run() {
    std::string heard;
    for (;;) {
        if (o_.sessions > 0 && completed_ >= o_.sessions) {
            // Closing the pseudo-terminal drops what the PC has not read yet,
            // such as the last answer: leave once the line has been quiet a while.
            while (nextByte(500)) {
            }
            return 0;
        }
        idle_ = true;
        const auto b = nextByte(o_.idleExitSeconds * 1000);
        if (!b) {
            log_("quiet for %d s, leaving", o_.idleExitSeconds);
            writeStats();
            return 0;
        }
        heard.push_back(static_cast<char>(*b));
        if (heard.size() > 16) heard.erase(0, heard.size() - 16);
        const bool download = endsWith(heard, "BRIGAN\r");
        const bool upload = endsWith(heard, "READ\r");
        if (!download && !upload) continue;
        heard.clear();
        if (download != (o_.mode != Mode::Upload)) {
            log_("%s ignored in this mode", download ? "handshake" : "read request");
            continue;
        }
        if (!answerHandshake()) continue;
        idle_ = false;
        if (o_.mode == Mode::Program) programSession();
        else if (o_.mode == Mode::Lookup) lookupSession();
        else if (o_.handshakeReply == "ACK\r") uploadSession();
    }
}

}  // namespace emulator
