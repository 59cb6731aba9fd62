// The machine's ports as the application sees them. On POSIX: the devices
// found under /dev and /sys, this process's environment and the user's port
// map. On Windows: the COM ports the system knows, each COMn name opening the
// port of that name; there is no port map.
#pragma once

#include <functional>

#include "link/port_directory.h"

namespace appgen::platform {

// Why COMn cannot be pointed at another port on Windows, and what to do instead.
inline constexpr const char* kNoPortMapOnWindows =
    "on Windows COMn is the port of that name and there is no port map; give the adapter its "
    "number in the Device Manager (Ports (COM & LPT), the adapter's Port Settings, Advanced), "
    "or name its port with --port";

class SystemPortDirectory : public link::PortDirectory {
public:
    // `lister` stands in for the search of the machine (a script's fixed list).
    using Lister = std::function<std::vector<link::SerialDevice>()>;
    SystemPortDirectory();
    explicit SystemPortDirectory(Lister lister) : lister_(std::move(lister)) {}

    std::vector<link::SerialDevice> devices() override;
    link::PortAnswer resolve(const std::string& name) override;
    std::optional<std::string> mapped(int com) override;
    link::PortMapSaveResult assign(int com, const std::optional<std::string>& device) override;
    bool leadsTo(const std::string& name, const link::SerialDevice& device) override;
    // The machine's node; with a lister of its own only the devices listed exist.
    link::DevicePresence presenceOf(const std::string& name) override;

private:
    Lister lister_;
    bool machine_ = false;
};

}  // namespace appgen::platform
