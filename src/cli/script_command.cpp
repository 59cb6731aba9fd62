// script: a headless application session, the lines of a script file for the
// operator's actions.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/script_session.h"
#include "platform/program_folder.h"
#include "platform/system_local_clock.h"
#include "project/utf8_path.h"
#include "platform/steady_tick_clock.h"
#include "shell/help_document.h"
#include "shell/traced_system_port.h"

namespace appgen::cli {
namespace {

constexpr char kUsage[] =
    "usage: appgen-cli script FILE [--now YYYY-MM-DDTHH:MM:SS] [--trace TRACE]\n"
    "Runs the application without a display: each line of FILE is what the operator does.\n"
    "  command N            the main window receives command N (2000 edits, 1040 saves as...)\n"
    "  key K                a click on terminal key K (the tokens of simulate)\n"
    "  tick N               N ticks of the simulator's 100 ms timer\n"
    "  answer yes|no|cancel|ok   the answer to the next message box that offers a choice\n"
    "  file PATH | file cancel   the answer to the next open or save dialog\n"
    "  device PATH [\"PRODUCT\"] [STABLE-NAME] | device none   the serial devices the\n"
    "                       session sees instead of this machine's (one a line)\n"
    "  press-cancel connecting | press-cancel N   Cancel of the next transfer's window:\n"
    "                       while it waits for the terminal, or once its progress\n"
    "                       (percent, or records) reaches N\n"
    "  page N | page NAME   show a page of the open editor sheet\n"
    "  type ID \"TEXT\"       replace the text of edit ID in the topmost dialog\n"
    "  click ID [X Y]       click control ID (at client point X, Y)\n"
    "  select ID N          choose entry N of drop-down list ID\n"
    "  ok | cancel          OK or Cancel of the topmost dialog or of the sheet\n"
    "  dump                 print the state of the topmost dialog, or of the simulator\n"
    "'#' starts a comment; quoted texts take \\\" \\\\ \\r \\n \\t and \\xNN. Events are printed\n"
    "as JSON lines. --now starts the simulator's clock (default: the local time).\n"
    "--trace appends every byte the transfers write and read to TRACE, with the\n"
    "milliseconds since the port opened, the direction, hex and text.\n"
    "The exit status is 1 when a line fails or a message box offers a choice that no\n"
    "answer line has given.\n";

int usage(bool help) {
    std::fprintf(help ? stdout : stderr, "%s", kUsage);
    return help ? kExitOk : kExitUsage;
}

}  // namespace

int runScript(const Args& args) {
    if (wantsHelp(args)) return usage(true);
    std::string file;
    std::string trace;
    simulator::LocalDateTime now = platform::SystemLocalClock().now();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--now" && i + 1 < args.size()) {
            const auto t = parseLocalDateTime(args[++i]);
            if (!t) {
                std::fprintf(stderr, "appgen-cli script: --now takes YYYY-MM-DDTHH:MM:SS\n");
                return kExitUsage;
            }
            now = *t;
        } else if (args[i] == "--trace" && i + 1 < args.size() && !args[i + 1].empty()) {
            trace = args[++i];
        } else if (file.empty() && args[i].rfind("--", 0) != 0) {
            file = args[i];
        } else {
            return usage(false);
        }
    }
    if (file.empty()) return usage(false);

    std::ifstream in(utf8Path(file), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "appgen-cli script: cannot read %s\n", file.c_str());
        return kExitFailure;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    shell::TracedSystemPort port(trace);
    if (const std::string why = port.traceError(); !why.empty()) {
        std::fprintf(stderr, "appgen-cli script: --trace: cannot write %s\n", why.c_str());
        return kExitFailure;
    }
    platform::SteadyTickClock ticks;
    ScriptSession session(std::move(lines), now, shell::helpDocumentPath(platform::programFolder()),
                          stdout, stderr, port, ticks);
    const bool ok = session.run();
    std::fflush(stdout);
    return ok ? kExitOk : kExitFailure;
}

}  // namespace appgen::cli
