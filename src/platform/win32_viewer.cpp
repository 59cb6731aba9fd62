// The received data file in "notepad.exe" and its folder in Explorer, started
// with CreateProcessW (no shell reads the command line) and not waited for:
// notepad is the viewer itself, and a started one shows the file.
#include <windows.h>

#include <filesystem>

#include "platform/viewer.h"
#include "platform/win32_text.h"
#include "project/utf8_path.h"

namespace appgen::platform {

std::vector<std::string> viewerCommand(const std::string& path) {
    std::error_code ec;
    std::string full = utf8String(std::filesystem::absolute(utf8Path(path), ec));
    if (ec) full = path;
    return {"notepad.exe", full};
}

namespace {

bool start(const std::vector<std::string>& cmd) {
    // Windows file names hold no quote marks, so quoting each word is enough.
    std::wstring line;
    for (const auto& word : cmd) {
        if (!line.empty()) line += L' ';
        line += L'"' + widen(word) + L'"';
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace

bool launchViewer(const std::string& path) { return start(viewerCommand(path)); }

// Explorer is always there; its exit code says nothing (it is 1 on success).
FolderOpener folderOpener() {
    return [](const std::string& folder) {
        std::error_code ec;
        std::string full = utf8String(std::filesystem::absolute(utf8Path(folder), ec));
        return start({"explorer.exe", ec ? folder : full});
    };
}

}  // namespace appgen::platform
