// What --port takes on this system, and how its help says so.
#pragma once

#include <string_view>

namespace appgen::platform {

// "COM1".."COM6" or a device path on POSIX; Windows numbers ports past the
// dialog's six (USB adapters often get COM10 and up): COMn and \\.\COMn up
// to COM256, or a path.
bool isPortName(std::string_view name);

// The --port line of a transfer command's help.
const char* portOptionHelp();

}  // namespace appgen::platform
