// Showing a received data file to the operator: "notepad.exe" on Windows,
// the desktop's default viewer elsewhere. Started without a shell and not
// waited for.
#pragma once

#include <string>
#include <vector>

namespace appgen::platform {

// The program and its arguments. The path is made absolute so that it can
// never be taken for an option.
std::vector<std::string> viewerCommand(const std::string& path);
// False when the viewer could not be started.
bool launchViewer(const std::string& path);

}  // namespace appgen::platform
