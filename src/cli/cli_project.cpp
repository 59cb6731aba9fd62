#include "cli/cli_project.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/safe_file.h"
#include "project/project_file.h"
#include "project/utf8_path.h"

namespace appgen::cli {

void resetWorkspace(Workspace& ws) {
    ws.project.port = {0, 0};
    resetBarcodeSettings(ws.project);
    resetProject(ws.project);
    ws.modified = false;
    ws.fileName.clear();
}

bool openProjectFile(const std::string& path, Workspace& ws) {
    const ReadResult r = readProjectFile(path, ws.project);
    switch (r.status) {
        case ReadStatus::CannotOpen: {
            std::error_code ec;
            const char* why = std::filesystem::is_directory(utf8Path(path), ec) ? "it is a directory"
                              : !std::filesystem::exists(utf8Path(path), ec)    ? "no such file"
                                                                      : "it cannot be read";
            std::fprintf(stderr, "Error: cannot open %s: %s\n", path.c_str(), why);
            return false;
        }
        case ReadStatus::FormatMismatch:
            std::fprintf(stderr, "Error: Format mismatch !!!\n");
            return false;
        case ReadStatus::Short:
            std::fprintf(stderr,
                         "Warning: %s is shorter than a project file should be; what it does not "
                         "hold keeps its default values.\n",
                         path.c_str());
            break;
        case ReadStatus::Ok:
            break;
    }
    ws.fileName = r.converted ? "" : path;
    return true;
}

bool saveProjectFile(const std::string& path, const Project& p) {
    const platform::FileWriteResult r = platform::replaceFile(path, projectFileImage(p));
    if (r.ok) return true;
    std::fprintf(stderr, "Error: Can't save the file! cannot write %s: %s\n", path.c_str(),
                 r.reason.c_str());
    return false;
}

bool wantsHelp(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

}  // namespace appgen::cli
