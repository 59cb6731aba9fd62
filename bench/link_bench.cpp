// link_bench: the transfers against our terminal emulator over a
// pseudo-terminal. Prints wall and CPU time, the PC's time per unit beyond
// the emulator's reply, and, with the emulator pacing bytes at 115200 bit/s,
// the ratio to the time the bytes need on the wire (10 bits a byte).
//
//   link_bench [--all-paced] [--skip-silent]
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "link/download.h"
#include "link/frames.h"
#include "link/upload.h"
#include "platform/lookup_file_reader.h"
#include "platform/posix_serial_port.h"
#include "platform/record_file.h"
#include "platform/steady_tick_clock.h"
#include "link/program_image.h"
#include "shell/services_operator_panel.h"
#include "ui/headless_services.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace appgen;

constexpr double kWireBaud = 115200.0;

class Emulator {
public:
    explicit Emulator(std::vector<std::string> args) {
        args.insert(args.begin(), std::string(APPGEN_BINARY_DIR) + "/terminal-emulator");
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
        posix_spawn_file_actions_addclose(&fa, fds[0]);
        if (posix_spawn(&pid_, argv[0], &fa, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&fa);
        close(fds[1]);
        char c = 0;
        pollfd p{fds[0], POLLIN, 0};
        while (poll(&p, 1, 5000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') slave_.push_back(c);
        close(fds[0]);
    }
    ~Emulator() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& slave() const { return slave_; }

private:
    pid_t pid_ = -1;
    std::string slave_;
};

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::map<std::string, double> readStats(const std::string& path) {
    std::map<std::string, double> m;
    std::ifstream in(path);
    std::string k;
    double v = 0;
    while (in >> k >> v) m[k] = v;
    return m;
}

struct Figures {
    double wall = 0;
    double cpu = 0;
    bool ok = false;
};

// Runs one transfer on the real port and clock, measured. (Measure before
// reading the emulator's figures: they are written as the transfer ends.)
template <typename F>
Figures measure(const std::string& slave, F transfer, link::LinkTimings timings = {}) {
    platform::PosixSerialPort port;
    platform::SteadyTickClock clock;
    ui::HeadlessServices ui;
    link::LinkState state;
    shell::ServicesOperatorPanel panel(ui);
    link::LinkContext ctx{port, clock, panel, state, timings};
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    Figures f;
    f.ok = transfer(ctx, link::PortChoice{slave, 0}, ui);
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    f.cpu = cpuSeconds() - cpu0;
    return f;
}

// A freshly reset project, compiled on every attempt as the download does.
std::vector<std::uint8_t> programImage() {
    static Project p = [] {
        Project q{};
        resetBarcodeSettings(q);
        resetProject(q);
        return q;
    }();
    const link::ProgramImage image = link::compile(p);
    return std::vector<std::uint8_t>(image.begin(), image.end());
}

bool downloadProgram(link::LinkContext& c, const link::PortChoice& p, ui::HeadlessServices&) {
    return link::downloadProgram(c, p, false, programImage) == link::kDownloadOk;
}

void report(const char* what, const Figures& f, const std::map<std::string, double>& stats,
            double wireBytes, bool paced) {
    std::printf("%-34s %s  wall %8.3f s  cpu %7.3f s", what, f.ok ? "ok  " : "FAIL", f.wall, f.cpu);
    if (stats.count("units")) std::printf("  units %.0f", stats.at("units"));
    if (stats.count("gap_median_ms"))
        std::printf("  per unit %.3f ms median (p90 %.3f)", stats.at("gap_median_ms"),
                    stats.at("gap_p90_ms"));
    if (paced) {
        const double wire = wireBytes * 10.0 / kWireBaud;
        std::printf("  wire %.3f s  ratio %.3f", wire, f.wall / wire);
    }
    std::printf("\n");
}

fs::path workDir() {
    const fs::path d = fs::temp_directory_path() / ("appgen-link-bench-" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    bool allPaced = false, skipSilent = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--all-paced")) allPaced = true;
        else if (!std::strcmp(argv[i], "--skip-silent")) skipSilent = true;
        else {
            std::fprintf(stderr, "usage: link_bench [--all-paced] [--skip-silent]\n");
            return 2;
        }
    }
    const fs::path dir = workDir();
    const std::string stats = (dir / "stats").string();
    auto statsOf = [&] { return readStats(stats); };

    // Bytes on the wire of each transfer, both ways.
    const double programWire = 7 + 4 + link::kBlockCount * (link::kBlockSize + 4);

    // Program download, instant emulator: a few runs, the best and the last shown.
    for (int run = 0; run < 3; ++run) {
        Emulator em({"--stats", stats});
        const Figures f = measure(em.slave(), downloadProgram);
        report(run == 0 ? "program download (instant)" : "  again", f, statsOf(), programWire, false);
    }
    {
        Emulator em({"--stats", stats, "--pace-baud", "115200"});
        const Figures f = measure(em.slave(), downloadProgram);
        report("program download (115200 paced)", f, statsOf(), programWire, true);
    }

    // A 1 MB lookup file of 100-byte lines.
    const std::string lookup = (dir / "lookup.TXT").string();
    double lookupWire = 7 + 4 + 5 + 4;
    {
        std::ofstream out(lookup, std::ios::binary);
        for (int i = 0; i < 10486; ++i) {
            std::string line = std::to_string(i) + ";";
            while (line.size() < 98) line.push_back(static_cast<char>('a' + line.size() % 26));
            out << line << "\r\n";
            lookupWire += 98 + 3 + 4;
        }
    }
    auto lookupTransfer = [&](link::LinkContext& c, const link::PortChoice& p, ui::HeadlessServices& ui) {
        ui.queueFile(lookup);
        return link::downloadLookup(c, p, false, platform::openLookupFile) == link::kDownloadOk;
    };
    {
        Emulator em({"--mode", "lookup", "--stats", stats});
        const Figures f = measure(em.slave(), lookupTransfer);
        report("lookup 1 MB (instant)", f, statsOf(), lookupWire, false);
    }
    if (allPaced) {
        Emulator em({"--mode", "lookup", "--stats", stats, "--pace-baud", "115200"});
        const Figures f = measure(em.slave(), lookupTransfer);
        report("lookup 1 MB (115200 paced)", f, statsOf(), lookupWire, true);
    }

    // 10,000 records of 100 bytes.
    const std::string out = (dir / "upload.TXT").string();
    const double uploadWire = 5 + 4 + 10000.0 * (1 + 100 + 3 + 4) + 5;
    auto uploadTransfer = [&](link::LinkContext& c, const link::PortChoice& p, ui::HeadlessServices& ui) {
        ui.queueFile(out);
        const auto records = platform::makeRecordFile();
        return link::upload(c, p, false, *records).result == 10000;
    };
    {
        Emulator em({"--mode", "upload", "--generate", "10000:100", "--stats", stats});
        const Figures f = measure(em.slave(), uploadTransfer);
        report("upload 10000 x 100 B (instant)", f, statsOf(), uploadWire, false);
    }
    if (allPaced) {
        Emulator em({"--mode", "upload", "--generate", "10000:100", "--stats", stats, "--pace-baud", "115200"});
        const Figures f = measure(em.slave(), uploadTransfer);
        report("upload 10000 x 100 B (paced)", f, statsOf(), uploadWire, true);
    }

    // What forcing each record to the disk before its answer costs: the
    // record file alone, with the system's sync and with none.
    {
        const std::string line = std::string(100, 'r') + "\r\n";
        const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
        const int n = 2000;
        auto perRecord = [&](platform::FileOps ops) {
            platform::RecordFile f(std::move(ops));
            if (!f.begin((dir / "synced.TXT").string()).ok) return -1.0;
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < n; ++i) {
                if (!f.append(bytes).ok) return -1.0;
            }
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            f.finish();
            return 1000.0 * s / n;
        };
        platform::FileOps unsynced = platform::systemFileOps();
        unsynced.sync = [](platform::FileHandle) { return 0; };
        const double synced = perRecord(platform::systemFileOps());
        const double plain = perRecord(unsynced);
        std::printf("%-34s %.3f ms a record synced, %.3f ms not: %.3f ms for the sync (%s)\n",
                    "record file, 2000 x 102 B", synced, plain, synced - plain, dir.c_str());
    }

    // A port that hangs up in the middle of a program: the attempt ends at
    // once with the connection lost; the CPU share shows nothing spun.
    {
        Emulator em({"--hang-up-after", "50"});
        const Figures f = measure(em.slave(), downloadProgram);
        std::printf("%-34s wall %8.3f s  cpu %7.3f s  = %.2f %% of one core\n",
                    "hung-up port (after 50 blocks)", f.wall, f.cpu,
                    f.wall > 0 ? 100.0 * f.cpu / f.wall : 0.0);
    }

    // A silent terminal: three handshakes of 3 s each, the real time-outs;
    // the CPU share shows the waits sleep.
    if (!skipSilent) {
        Emulator em({"--silent"});
        const Figures f = measure(em.slave(), downloadProgram);
        std::printf("%-34s wall %8.3f s  cpu %7.3f s  = %.2f %% of one core\n",
                    "silent terminal (3 x 3 s)", f.wall, f.cpu, 100.0 * f.cpu / f.wall);
    }
    fs::remove_all(dir);
    return 0;
}
