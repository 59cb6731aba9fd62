#include "shell/help_document.h"

#include <filesystem>
#include <system_error>

namespace appgen::shell {

std::string helpDocumentPath(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path folder(programFolder);
    const fs::path installed = folder / ".." / "share" / "doc" / "appgen" / "help.md";
    // Beside the program, installed, or in the source tree above a build folder.
    for (const fs::path& p : {folder / "help.md", installed, folder / ".." / "docs" / "help.md"}) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) return p.lexically_normal().string();
    }
    return installed.lexically_normal().string();
}

}  // namespace appgen::shell
