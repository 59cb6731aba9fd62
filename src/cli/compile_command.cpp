// appgen-cli compile: the program image a download would send, into a file.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "link/program_image.h"
#include "project/utf8_path.h"

namespace appgen::cli {
namespace {

constexpr char kUsage[] =
    "usage: appgen-cli compile PROJECT -o IMAGE\n"
    "Compiles PROJECT (current or older M40 format) into the 20000-byte program\n"
    "image that a download sends to the terminal, and writes it to IMAGE.\n"
    "The project file itself is not changed.\n"
    "  -o, --output IMAGE   the image file to write (replaced when it exists)\n";

int usage(bool help) {
    std::fprintf(help ? stdout : stderr, "%s", kUsage);
    return help ? kExitOk : kExitUsage;
}

// Written beside the target and renamed over it, so a failed write never
// leaves a short image where a good one was.
bool writeImage(const std::string& path, const link::ProgramImage& image) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(utf8Path(tmp), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()),
                  static_cast<std::streamsize>(image.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(utf8Path(tmp), ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(utf8Path(tmp), utf8Path(path), ec);
    if (ec) std::filesystem::remove(utf8Path(tmp), ec);
    return !ec;
}

}  // namespace

int runCompile(const Args& args) {
    if (wantsHelp(args)) return usage(true);
    std::string project;
    std::string image;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 == args.size() || !image.empty()) return usage(false);
            image = args[++i];
        } else if (project.empty() && (args[i].empty() || args[i][0] != '-')) {
            project = args[i];
        } else {
            return usage(false);
        }
    }
    if (project.empty() || image.empty()) return usage(false);

    Workspace ws;
    resetWorkspace(ws);
    if (!openProjectFile(project, ws)) return kExitFailure;
    const link::ProgramImage compiled = link::compile(ws.project);
    if (!writeImage(image, compiled)) {
        std::fprintf(stderr, "Error: cannot write %s\n", image.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace appgen::cli
