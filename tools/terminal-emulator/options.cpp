#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace emulator {
namespace {

constexpr const char* kUsage =
    "usage: terminal-emulator [options]\n"
    "Opens a pseudo-terminal, prints its slave path and answers as the terminal does.\n"
    "  --mode program|lookup|upload   what a session carries (default program)\n"
    "  --image-out F     program: write the received image to F\n"
    "  --lookup-out F    lookup: write the received lines to F, each with CR LF\n"
    "  --capture F       write every byte received to F\n"
    "  --log F           one timestamped line per event\n"
    "  --stats F         figures for benchmarks\n"
    "  --records F       upload: one record per line of F\n"
    "  --generate N:S    upload: N records of S bytes\n"
    "  --first-seq N     upload: sequence number of the first record (default 0)\n"
    "  --pace-baud B     pace bytes at B bit/s, 10 bits a byte (default: no pacing)\n"
    "  --baud B          the terminal hears only bytes sent at B bit/s\n"
    "  --cradle B        an infrared cradle in front, listening at B bit/s\n"
    "  --cradle-noise    probes at another speed hear a wrong byte instead of nothing\n"
    "  --silent          never answer\n"
    "  --handshake-reply T  reply to BRIGAN\\r and READ\\r (default ACK\\r)\n"
    "  --full-at K       answer FULL\\r to unit K, once\n"
    "  --nak-at K[:N]    answer NAK\\r to unit K, N times (default always)\n"
    "  --drop-reply-at K take unit K but leave it unanswered, once\n"
    "  --stall-after K   go quiet after K units, until the next handshake\n"
    "  --corrupt K       upload: send record K first with a wrong checksum\n"
    "  --repeat K        upload: send record K again after it was taken\n"
    "  --long-line K     upload: send record K first as a 300-byte line\n"
    "  --hang-up-after K close the line after K units (the PC sees a hang-up), then linger\n"
    "  --exit-after K    leave after K units, as a terminal switched off\n"
    "  --flood-at K[:B]  upload: B bytes of garbage (default 4000) before record K\n"
    "  --half-frame-at K answer unit K with half a reply (\"AC\"), or, uploading, send\n"
    "                    half of record K first and the whole after the PC's answer\n"
    "  --sessions N      exit after N completed sessions (default: run until killed)\n"
    "  --idle-exit S     exit after S seconds with nothing received (default 60)\n";

bool number(const char* s, long& out) {
    char* end = nullptr;
    out = std::strtol(s, &end, 10);
    return *s && end && *end == 0;
}

}  // namespace

std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out.push_back(s[i]);
            continue;
        }
        const char c = s[++i];
        if (c == 'r') out.push_back('\r');
        else if (c == 'n') out.push_back('\n');
        else if (c == 'x' && i + 2 < s.size()) {
            out.push_back(static_cast<char>(std::strtol(s.substr(i + 1, 2).c_str(), nullptr, 16)));
            i += 2;
        } else out.push_back(c);
    }
    return out;
}

std::optional<Options> parseOptions(int argc, char** argv) {
    Options o;
    auto fail = [](const char* why, const char* what) {
        std::fprintf(stderr, "terminal-emulator: %s %s\n%s", why, what, kUsage);
        return std::optional<Options>{};
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (a == "--silent") { o.silent = true; continue; }
        if (a == "--cradle-noise") { o.cradleNoise = true; continue; }
        if (i + 1 >= argc) return fail("missing value for", argv[i]);
        const char* v = argv[++i];
        long n = 0;
        auto count = [&](int& field) {
            if (!number(v, n) || n < 0) return false;
            field = static_cast<int>(n);
            return true;
        };
        bool ok = true;
        if (a == "--mode") {
            if (!std::strcmp(v, "program")) o.mode = Mode::Program;
            else if (!std::strcmp(v, "lookup")) o.mode = Mode::Lookup;
            else if (!std::strcmp(v, "upload")) o.mode = Mode::Upload;
            else ok = false;
        } else if (a == "--image-out") o.imageOut = v;
        else if (a == "--lookup-out") o.lookupOut = v;
        else if (a == "--capture") o.capture = v;
        else if (a == "--log") o.log = v;
        else if (a == "--stats") o.stats = v;
        else if (a == "--records") o.records = v;
        else if (a == "--generate") {
            ok = std::sscanf(v, "%d:%d", &o.generateCount, &o.generateSize) == 2 &&
                 o.generateCount >= 0 && o.generateSize >= 0;
        } else if (a == "--first-seq") ok = count(o.firstSeq) && o.firstSeq < 256;
        else if (a == "--pace-baud") ok = number(v, o.paceBaud) && o.paceBaud >= 0;
        else if (a == "--baud") ok = number(v, o.lineBaud) && o.lineBaud > 0;
        else if (a == "--cradle") ok = number(v, o.cradleBaud) && o.cradleBaud > 0;
        else if (a == "--handshake-reply") o.handshakeReply = unescape(v);
        else if (a == "--full-at") ok = count(o.fullAt);
        else if (a == "--nak-at") {
            int k = 0, times = -1;
            const int got = std::sscanf(v, "%d:%d", &k, &times);
            ok = got >= 1 && k >= 0;
            o.nakAt = k;
            o.nakCount = got == 2 ? times : -1;
        } else if (a == "--drop-reply-at") ok = count(o.dropReplyAt);
        else if (a == "--stall-after") ok = count(o.stallAfter);
        else if (a == "--corrupt") ok = count(o.corruptAt);
        else if (a == "--repeat") ok = count(o.repeatAt);
        else if (a == "--long-line") ok = count(o.longLineAt);
        else if (a == "--hang-up-after") ok = count(o.hangUpAfter);
        else if (a == "--exit-after") ok = count(o.exitAfter);
        else if (a == "--flood-at") {
            int k = 0, bytes = o.floodBytes;
            const int got = std::sscanf(v, "%d:%d", &k, &bytes);
            ok = got >= 1 && k >= 0 && bytes > 0;
            o.floodAt = k;
            o.floodBytes = bytes;
        } else if (a == "--half-frame-at") ok = count(o.halfFrameAt);
        else if (a == "--sessions") ok = count(o.sessions);
        else if (a == "--idle-exit") ok = count(o.idleExitSeconds);
        else return fail("unknown option", argv[i - 1]);
        if (!ok) return fail("bad value for", argv[i - 1]);
    }
    return o;
}

}  // namespace emulator
