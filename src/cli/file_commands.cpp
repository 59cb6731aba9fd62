// new, convert and dump: the project file commands.
#include <cstdio>
#include <string>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/project_dump.h"

namespace appgen::cli {
namespace {

int usage(const char* text, bool help) {
    std::fprintf(help ? stdout : stderr, "%s", text);
    return help ? kExitOk : kExitUsage;
}

constexpr char kNewUsage[] =
    "usage: appgen-cli new OUT\n"
    "Writes a freshly reset project (COM1, 115200 bit/s) to OUT.\n";
constexpr char kConvertUsage[] =
    "usage: appgen-cli convert IN OUT\n"
    "Opens IN as the Open command does (current or older M40 format) and writes OUT\n"
    "in the current format.\n";
constexpr char kDumpUsage[] =
    "usage: appgen-cli dump PROJECT\n"
    "Lists the whole project: forms, menus, lookups, settings and message texts,\n"
    "every field in use and every byte that differs from a fresh project.\n";

}  // namespace

int runNew(const Args& args) {
    if (wantsHelp(args)) return usage(kNewUsage, true);
    if (args.size() != 1) return usage(kNewUsage, false);
    Workspace ws;
    resetWorkspace(ws);
    return saveProjectFile(args[0], ws.project) ? kExitOk : kExitFailure;
}

int runConvert(const Args& args) {
    if (wantsHelp(args)) return usage(kConvertUsage, true);
    if (args.size() != 2) return usage(kConvertUsage, false);
    Workspace ws;
    resetWorkspace(ws);
    if (!openProjectFile(args[0], ws)) return kExitFailure;
    return saveProjectFile(args[1], ws.project) ? kExitOk : kExitFailure;
}

int runDump(const Args& args) {
    if (wantsHelp(args)) return usage(kDumpUsage, true);
    if (args.size() != 1) return usage(kDumpUsage, false);
    Project p{};
    if (!loadProjectForListing(args[0], p)) return kExitFailure;
    const std::string text = dumpProject(p);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitOk;
}

}  // namespace appgen::cli
