// appgen-cli records on a million records of about 40 bytes: the CSV and the
// workbook, each against the time of reading the file alone, with the
// command's peak memory. Prints figures only.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "project/project.h"
#include "project/project_file.h"
#include "project/text.h"
#include "records/record_table.h"

extern char** environ;

namespace {

using namespace appgen;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRecords = 1000000;

double since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// Form 1: a 13-character code, a 3-character shelf, the quantity, the date and time.
Project benchProject() {
    Project p{};
    resetProject(p);
    p.terminal.separator1 = ';';
    p.terminal.separator2 = 0;
    FormDef& f = p.forms[0];
    f.recordAction = 0;
    f.lineType[0] = kLineText;
    f.lineType[1] = kLineText;
    f.lineType[2] = kLineInteger;
    setSlotText(f.prompt[0], utf8ToCp1251("Код:"));
    setSlotText(f.prompt[1], utf8ToCp1251("Полка:"));
    setSlotText(f.prompt[2], utf8ToCp1251("Кол-во:"));
    f.fixedLenOn[0] = f.fixedLenOn[1] = 1;
    f.fixedLen[0] = 13;
    f.fixedLen[1] = 3;
    f.stampPosition = 2;
    f.stampSplit = 1;
    f.stampYear = f.stampMonth = f.stampDay = 1;
    f.stampDateSepOn = 1;
    setSlotText(f.stampDateSep, ".");
    f.stampDateOrder = 2;
    f.stampHours = f.stampMinutes = f.stampSeconds = 1;
    f.stampTimeSepOn = 1;
    setSlotText(f.stampTimeSep, ":");
    return p;
}

std::string benchRecords() {
    std::string out;
    out.reserve(kRecords * 42);
    char line[64];
    for (int i = 0; i < kRecords; ++i) {
        const int n =
            std::snprintf(line, sizeof line, "46%011d;%c%02d;%d;14.03.2026;%02d:%02d:%02d\r\n",
                          static_cast<int>((i * 7919LL) % 100000), 'A' + i % 26, i % 100,
                          1 + i % 250, 8 + i / 360000 % 10, i / 60 % 60, i % 60);
        out.append(line, static_cast<std::size_t>(n));
    }
    return out;
}

struct Run {
    double seconds = 0;
    double cpu = 0;  // user and system: the figure that holds on a busy machine
    long peakMb = 0;
    int status = -1;
};

// The command in a process of its own, so its peak memory is its own.
Run command(const std::string& cli, const std::vector<std::string>& args) {
    std::vector<std::string> all = {cli};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    Run r;
    const auto t = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, cli.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return r;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    r.seconds = since(t);
    r.peakMb = usage.ru_maxrss / 1024;
    r.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace

int main() {
    const fs::path dir = fs::temp_directory_path() / "appgen-records-bench";
    fs::create_directories(dir);
    const std::string project = (dir / "bench.TGP").string();
    const std::string input = (dir / "records.txt").string();
    std::ofstream(project, std::ios::binary) << projectFileImage(benchProject());
    std::size_t size = 0;
    {
        const std::string bytes = benchRecords();
        std::ofstream(input, std::ios::binary) << bytes;
        size = bytes.size();
    }
    std::printf("%d records, %.1f MB (%.1f bytes a record with CR LF)\n", kRecords, size / 1e6,
                double(size) / kRecords);

    // The commands first, while this process is small: a spawned process
    // starts out counting its parent's memory as its own.
    const std::string cli = std::string(APPGEN_BINARY_DIR) + "/appgen-cli";
    const struct {
        const char* what;
        std::string out;
    } outputs[] = {{"records -o .csv:", (dir / "out.csv").string()},
                   {"records -o .xlsx:", (dir / "out.xlsx").string()}};
    for (const auto& o : outputs) {
        const Run r = command(cli, {"records", project, input, "-o", o.out});
        std::error_code ec;
        std::printf("%-23s %6.2f s (processor %.2f s), peak %ld MB, exit %d, %.1f MB written\n",
                    o.what, r.seconds, r.cpu, r.peakMb, r.status,
                    double(fs::file_size(o.out, ec)) / 1e6);
    }

    // Reading the file alone: its bytes and its lines.
    auto t = Clock::now();
    std::string read(size, '\0');
    std::ifstream(input, std::ios::binary)
        .read(read.data(), static_cast<std::streamsize>(read.size()));
    std::vector<records::RecordLine> lines;
    records::readRecordLines(read, 0, lines);
    std::printf("read alone:             %6.2f s (%zu lines)\n", since(t), lines.size());

    // Splitting alone, in this process.
    t = Clock::now();
    std::vector<records::FormLayout> layouts = {records::formLayout(benchProject(), 1)};
    const records::RecordTable table({{"records.txt", std::move(read)}}, std::move(layouts));
    std::printf("split in memory:        %6.2f s (%zu split, %zu not)\n", since(t),
                table.splitCount(), table.unsplitCount());
    fs::remove_all(dir);
    return 0;
}
