// The serial devices of the machine: /dev/ttyS* that have a UART behind them,
// /dev/ttyUSB*, /dev/ttyACM*, and whatever /dev/serial/by-id/ names, each with
// its stable names and, for USB adapters, the maker, product and serial
// number from sysfs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/port_directory.h"

namespace appgen::platform {

struct DiscoveryRoots {
    std::string dev = "/dev";
    std::string sys = "/sys";
    // Whether a /dev/ttyS* device has a real UART, asked only when sysfs does
    // not tell (its "type" attribute); the default opens the device and asks
    // the driver (TIOCGSERIAL).
    std::function<bool(const std::string& device)> hasUart;
};

// Sorted: ttyS, ttyUSB, ttyACM by number, then others that only by-id names.
std::vector<link::SerialDevice> findSerialDevices(const DiscoveryRoots& roots = {});

// Opens the device without waiting for modem lines and asks the driver for
// its UART type; false when it has none or cannot be asked.
bool probeUart(const std::string& device);

// What is at a path, looked at without opening it: a terminal device (the
// kernel's tty drivers and pseudo-terminals), something else, or nothing.
link::DevicePresence presenceAt(const std::string& path, const DiscoveryRoots& roots = {});

// Whether a name leads to the device's node through any chain of links.
bool sameDeviceNode(const std::string& name, const std::string& device);

}  // namespace appgen::platform
