// Arbitrary bytes as a session script driving the whole headless application:
// every command, page and dialog, the simulator, and transfers against a fake
// terminal in virtual time. A script may fail (that is its own error); the
// session must end, without a crash or a sanitizer report.
//
// Every path the script names is mapped into a scratch folder laid out anew
// for each input, so a script never reads or writes a file elsewhere; tick
// counts are bounded so that every input ends quickly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/script_lexer.h"
#include "shell/script_session.h"
#include "project/project.h"
#include "project/project_file.h"
#include "terminal_side.h"

namespace {

namespace fs = std::filesystem;

constexpr long kMaxTicksPerLine = 600;
constexpr long kMaxTicks = 3000;
constexpr int kTerminalAnswers = 2000;  // then the terminal falls silent

// The files a script may name: a current and an older project, a template, a
// lookup file, names to save under, a folder and a path in no folder.
const char* const kNames[] = {"a.TGP", "old.TGP", "b.TGT", "lookup.TXT", "out.TGP",
                              "data.TXT", "folder", "missing/x.TGP"};

void layOutScratch(const fs::path& dir) {
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir / "folder");
    appgen::Project p{};
    appgen::resetBarcodeSettings(p);
    appgen::resetProject(p);
    const std::string image = appgen::projectFileImage(p);
    std::ofstream(dir / "a.TGP", std::ios::binary) << image;
    std::ofstream(dir / "b.TGT", std::ios::binary) << image.substr(0, 4000);
    std::string old(10510, '\0');
    old.replace(0, 8, "M40-4.00");
    std::ofstream(dir / "old.TGP", std::ios::binary) << old;
    std::ofstream(dir / "lookup.TXT", std::ios::binary) << "4600001;Milk\r\n4600002;Bread\r\n";
}

std::string mappedPath(const fs::path& dir, const std::string& name) {
    for (const char* n : kNames)
        if (name == n) return (dir / n).string();
    return (dir / kNames[std::hash<std::string>{}(name) % std::size(kNames)]).string();
}

long tickCount(const std::vector<appgen::shell::ScriptWord>& w) {
    if (w.size() != 2) return 0;
    std::string_view arg = w[1].utf8;
    if (w[0].utf8 == "key" && arg.substr(0, 5) == "tick:") arg.remove_prefix(5);
    else if (w[0].utf8 != "tick") return 0;
    long n = 0;
    for (const char c : arg) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
        if (n > kMaxTicks) return n;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path dir = fs::path(appgen::fuzz::scratchPath("session"));
    static std::FILE* sink = std::fopen("/dev/null", "w");

    std::vector<std::string> lines;
    long ticks = 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        start = end + 1;
        const auto words = appgen::shell::splitScriptLine(line, nullptr);
        if (words && words->size() == 2 && (*words)[0].utf8 == "file" &&
            (*words)[1].utf8 != "cancel")
            line = "file \"" + mappedPath(dir, (*words)[1].utf8) + "\"";
        if (words) {
            const long n = tickCount(*words);
            if (n > kMaxTicksPerLine || (ticks += n) > kMaxTicks) return 0;
        }
        lines.push_back(std::move(line));
    }

    layOutScratch(dir);
    appgen::fuzz::VirtualClock clock;
    appgen::fuzz::FakePort port(clock);
    int answers = 0;
    port.onWrite = [&](appgen::fuzz::FakePort& p, const appgen::fuzz::Bytes&) {
        if (answers++ < kTerminalAnswers) p.deliver("ACK\r", 2);
    };
    appgen::shell::ScriptSession session(std::move(lines), {2026, 3, 14, 9, 26, 53},
                                       (dir / "help.md").string(), sink, sink, port, clock);
    session.run();
    return 0;
}
