#include "shell/desktop_script.h"

#include <cstdio>
#include <fstream>

#include "platform/program_folder.h"
#include "platform/steady_tick_clock.h"
#include "platform/system_local_clock.h"
#include "platform/utf8_file.h"
#include "project/utf8_path.h"
#include "shell/help_document.h"
#include "shell/script_session.h"
#include "shell/traced_system_port.h"

namespace appgen::shell {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "usage: appgen --script FILE [--now YYYY-MM-DDTHH:MM:SS] [--out OUT]\n"
    "Runs FILE as appgen-cli script does (see appgen-cli script --help), with every dialog\n"
    "and the editor sheet shown as a window; prints its lines into OUT with --out.\n";

}  // namespace

int runDesktopScript(const std::vector<std::string>& args, const ScriptWindowsFactory& makeWindows) {
    std::string file;
    std::string outName;
    simulator::LocalDateTime now = platform::SystemLocalClock().now();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--script" && i + 1 < args.size() && file.empty()) {
            file = args[++i];
        } else if (args[i] == "--now" && i + 1 < args.size()) {
            const auto t = parseLocalDateTime(args[++i]);
            if (!t) {
                std::fprintf(stderr, "appgen: --now takes YYYY-MM-DDTHH:MM:SS\n");
                return kExitUsage;
            }
            now = *t;
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            outName = args[++i];
        } else {
            std::fprintf(stderr, "%s", kUsage);
            return kExitUsage;
        }
    }
    if (file.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return kExitUsage;
    }

    std::ifstream in(utf8Path(file), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "appgen: cannot read %s\n", file.c_str());
        return kExitFailure;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    std::FILE* out = stdout;
    if (!outName.empty()) {
        out = platform::openUtf8File(outName, "wb");
        if (!out) {
            std::fprintf(stderr, "appgen: cannot write %s\n", outName.c_str());
            return kExitFailure;
        }
    }
    const std::unique_ptr<ui::HeadlessServices> windows = makeWindows();
    DesktopSerialPort port;  // traced to APPGEN_TRACE when it names a file
    platform::SteadyTickClock ticks;
    ScriptSession session(std::move(lines), now, helpDocumentPath(platform::programFolder()), out, stderr, port,
                          ticks, *windows);
    const bool ok = session.run();
    std::fflush(out);
    if (out != stdout) std::fclose(out);
    return ok ? kExitOk : kExitFailure;
}

}  // namespace appgen::shell
