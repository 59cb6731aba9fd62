// Port names on POSIX: "COMn" as the operator knows it, or a device path.
#pragma once

#include <string>

namespace appgen::platform {

// "COMn" becomes the device in the environment variable APPGEN_COMn when it is
// set, else /dev/ttyS<n-1>; any other name is taken as a device path
// (/dev/ttyUSB0, /dev/ttyACM0, /dev/serial/by-id/...).
std::string deviceForPortName(const std::string& name);

}  // namespace appgen::platform
