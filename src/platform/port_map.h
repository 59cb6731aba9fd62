// The user's port map file, $XDG_CONFIG_HOME/appgen/ports.conf (by default
// ~/.config/appgen/ports.conf), and the one answer to "which device does this
// port name open": APPGEN_COMn when set, else the port map's COMn line, else
// /dev/ttyS<n-1>.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "link/port_directory.h"
#include "platform/port_map_text.h"

namespace appgen::platform {

// Reads one environment variable; null when it is not set.
using EnvLookup = std::function<const char*(const char*)>;
EnvLookup processEnvironment();

// The port map's path from XDG_CONFIG_HOME or HOME; empty when neither says
// where the user's settings live.
std::string portMapPath(const EnvLookup& env);

struct PortMapFile {
    std::string path;
    bool exists = false;
    std::string readError;  // the system's words when it exists and cannot be read
    std::string text;
    PortMapText map;
};

PortMapFile readPortMap(const std::string& path);

// Writes COMn=DEVICE (or removes COMn's line) through the safe replace,
// creating the folder when needed.
link::PortMapSaveResult writePortMapLine(const std::string& path, int com,
                                         const std::optional<std::string>& device);

// The device a port name opens, and where the answer came from. A name that
// is no COMn is a device path and is taken as it is.
link::PortAnswer resolvePortName(const std::string& name, const EnvLookup& env,
                                 const PortMapText& map);
// The same for this process: its environment and the user's port map.
link::PortAnswer resolvePortName(const std::string& name);

}  // namespace appgen::platform
