#include "link/port_directory.h"

#include <algorithm>

namespace appgen::link {

std::string SerialDevice::description() const { return product.empty() ? maker : product; }

std::string SerialDevice::label() const {
    const std::string d = description();
    return d.empty() ? path : path + " \u2014 " + d;
}

bool SerialDevice::isNamed(const std::string& name) const {
    return name == path || std::find(byId.begin(), byId.end(), name) != byId.end();
}

const SerialDevice* PortDirectory::deviceNamed(const std::vector<SerialDevice>& devices,
                                               const std::string& name) {
    for (const SerialDevice& d : devices) {
        if (leadsTo(name, d)) return &d;
    }
    return nullptr;
}

}  // namespace appgen::link
