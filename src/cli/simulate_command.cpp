// simulate: the terminal simulator on a project, driven by key tokens.
#include <cstdio>
#include <string>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/simulate_session.h"
#include "platform/system_local_clock.h"

namespace appgen::cli {
namespace {

constexpr char kUsage[] =
    "usage: appgen-cli simulate PROJECT [--now YYYY-MM-DDTHH:MM:SS] [--keys \"K K ...\"]\n"
    "                           [--trace] [--save OUT]\n"
    "Runs the terminal simulator on PROJECT from its main screen and prints its state\n"
    "as one line of JSON (with --trace, one line after every token).\n"
    "Keys: 1..9 0 - . ALPHA POWER FN ENTER RENTER LEFT UP RIGHT ESC DOWN BS RESET,\n"
    "#N for any code N, tick:N for N ticks of the 100 ms timer.\n"
    "--now starts the simulator's clock (default: the local time); --save writes the\n"
    "project afterwards, with the bytes the run changed.\n";

int usage(bool help) {
    std::fprintf(help ? stdout : stderr, "%s", kUsage);
    return help ? kExitOk : kExitUsage;
}

void printLine(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int runSimulate(const Args& args) {
    if (wantsHelp(args)) return usage(true);
    std::string path, keys, savePath, now;
    bool trace = false, haveNow = false, haveSave = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--trace") {
            trace = true;
        } else if (a == "--now" && hasValue) {
            now = args[++i];
            haveNow = true;
        } else if (a == "--keys" && hasValue) {
            keys += ' ' + args[++i];
        } else if (a == "--save" && hasValue) {
            savePath = args[++i];
            haveSave = true;
        } else if (a.rfind("--", 0) == 0 || !path.empty()) {
            std::fprintf(stderr, "appgen-cli simulate: unexpected argument '%s'\n", a.c_str());
            return usage(false);
        } else {
            path = a;
        }
    }
    if (path.empty()) return usage(false);

    simulator::LocalDateTime start = platform::SystemLocalClock().now();
    if (haveNow) {
        const auto t = parseLocalDateTime(now);
        if (!t) {
            std::fprintf(stderr, "appgen-cli simulate: --now wants YYYY-MM-DDTHH:MM:SS, not '%s'\n", now.c_str());
            return kExitUsage;
        }
        start = *t;
    }
    std::string bad;
    const auto tokens = parseKeyTokens(keys, &bad);
    if (!tokens) {
        std::fprintf(stderr, "appgen-cli simulate: unknown key '%s'\n", bad.c_str());
        return kExitUsage;
    }

    Workspace ws;
    resetWorkspace(ws);
    if (!openProjectFile(path, ws)) return kExitFailure;

    SimulateSession session(ws.project, start);
    for (const auto& t : *tokens) {
        session.apply(t);
        if (trace) printLine(session.stateJson());
    }
    if (!trace || tokens->empty()) printLine(session.stateJson());
    std::fflush(stdout);

    if (haveSave && !saveProjectFile(savePath, ws.project)) return kExitFailure;
    return kExitOk;
}

}  // namespace appgen::cli
