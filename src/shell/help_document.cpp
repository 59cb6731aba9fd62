#include "shell/help_document.h"

#include <filesystem>
#include <system_error>

#include "project/utf8_path.h"

namespace appgen::shell {

std::string helpDocumentPath(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path folder = utf8Path(programFolder);
    const fs::path installed = folder / ".." / "share" / "doc" / "appgen" / "help.md";
    // Beside the program, installed, or in the source tree above a build folder.
    for (const fs::path& p : {folder / "help.md", installed, folder / ".." / "docs" / "help.md"}) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) return utf8String(p.lexically_normal());
    }
    return utf8String(installed.lexically_normal());
}

}  // namespace appgen::shell
