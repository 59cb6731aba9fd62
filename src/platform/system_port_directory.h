// The machine's ports as the application sees them: the devices found under
// /dev and /sys, this process's environment and the user's port map.
#pragma once

#include <functional>

#include "link/port_directory.h"

namespace appgen::platform {

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

private:
    Lister lister_;
};

}  // namespace appgen::platform
