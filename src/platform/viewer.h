// Showing a received data file to the operator: "notepad.exe" on Windows,
// the desktop's default viewer elsewhere. Started without a shell.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace appgen::platform {

// The program and its arguments. The path is made absolute so that it can
// never be taken for an option.
std::vector<std::string> viewerCommand(const std::string& path);
// False when the viewer could not be started, or its opener said it could
// not show the file (xdg-open exits 3 or 4 when no program takes text/plain).
bool launchViewer(const std::string& path);

using FolderOpener = std::function<bool(const std::string& folder)>;
// Shows a folder in the file manager: Explorer on Windows; elsewhere only
// when the desktop names a program for folders, else an empty function, so
// that a fallback never offers what would fail the same way.
FolderOpener folderOpener();

}  // namespace appgen::platform
