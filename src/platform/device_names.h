// Port names on POSIX: "COMn" as the operator knows it, or a device path.
#pragma once

#include <string>

namespace appgen::platform {

// The device a port name opens: for "COMn" the environment variable
// APPGEN_COMn when set, else the COMn line of the user's port map, else
// /dev/ttyS<n-1>; any other name is taken as a device path (/dev/ttyUSB0,
// /dev/ttyACM0, /dev/serial/by-id/...). resolvePortName() (port_map.h) also
// says where the answer came from.
std::string deviceForPortName(const std::string& name);

}  // namespace appgen::platform
