#include "shell/viewer_fallback.h"

#include <filesystem>

#include "link/link_messages.h"
#include "project/utf8_path.h"

namespace appgen::shell {

bool ViewerFallback::launchViewer(const std::string& path) {
    if (inner().launchViewer(path)) return true;
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(utf8Path(path), ec);
    if (ec) full = utf8Path(path);
    const FolderOpener openFolder = folderOpener_ ? folderOpener_() : FolderOpener();
    std::string text = "The received data could not be shown: no program here could open them.\n"
                       "They are saved in\n" + utf8String(full);
    if (!openFolder) {
        inner().messageBox({link::msg::kUploadData, text, ui::Buttons::Ok, ui::Icon::Warning});
        return false;
    }
    text += "\n\nOpen the folder that holds the file?";
    if (inner().messageBox({link::msg::kUploadData, text, ui::Buttons::YesNo, ui::Icon::Warning}) == ui::Answer::Yes)
        openFolder(utf8String(full.parent_path()));
    return false;
}

}  // namespace appgen::shell
