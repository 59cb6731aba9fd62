// What this machine has of serial ports, as `appgen-cli ports` shows it: the
// devices found, the device each of COM1..COM6 opens and where that answer
// comes from, and the user's port map where the system keeps one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/port_directory.h"
#include "platform/port_map.h"

namespace appgen::platform {

inline constexpr int kSurveyedComPorts = 6;  // the ports a project can name

struct PortSurvey {
    std::vector<link::SerialDevice> devices;
    std::vector<link::PortAnswer> ports;  // COM1..COM6
    std::vector<int> foundAt;             // per port: index into devices, or -1
    // Per port: the found device's own path where the port names it otherwise
    // (a stable name, a link), else empty.
    std::vector<std::string> foundAs;
    // Per port not found: whether its path names nothing or something that is
    // no terminal device.
    std::vector<link::DevicePresence> presence;
    // None where COMn is always the port of that name (Windows).
    std::optional<PortMapFile> portMap;
};

PortSurvey surveyPorts();

// Whether COMn can be pointed at another device here (`ports set`).
bool keepsPortMap();

// This system's part of the ports command's help: what is listed, and what
// COMn opens.
extern const char* const kPortsHelp;

}  // namespace appgen::platform
