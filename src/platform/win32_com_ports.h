// The COM ports this Windows PC has, for `appgen-cli ports`.
#pragma once

#include <string>
#include <vector>

namespace appgen::platform {

// "COM1", "COM3", "COM10"... in numeric order: the serial ports the drivers
// registered (HARDWARE\DEVICEMAP\SERIALCOMM), and the COM names the system
// knows as devices (QueryDosDeviceW), which also covers ports that register
// nowhere.
std::vector<std::string> listWin32ComPorts();

}  // namespace appgen::platform
