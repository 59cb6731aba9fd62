// appgen-cli diff: the fields in which two projects differ, as diff(1) answers.
#include <cstdio>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/project_dump.h"

namespace appgen::cli {
namespace {

constexpr char kDiffUsage[] =
    "usage: appgen-cli diff OLD NEW\n"
    "Lists every field in which project NEW differs from OLD, one line each:\n"
    "  Форма 1, строка 2: макс. длина 13 → 20\n"
    "Exit status: 0 the projects are the same, 1 they differ, 2 an error.\n";

constexpr int kExitError = 2;

}  // namespace

int runDiff(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kDiffUsage, stdout), kExitOk;
    if (args.size() != 2) {
        std::fputs(kDiffUsage, stderr);
        return kExitError;
    }
    Project before{};
    Project after{};
    if (!loadProjectForListing(args[0], before) || !loadProjectForListing(args[1], after))
        return kExitError;
    const auto lines = diffProjects(before, after);
    for (const auto& line : lines) std::printf("%s\n", line.c_str());
    return lines.empty() ? kExitOk : kExitFailure;
}

}  // namespace appgen::cli
