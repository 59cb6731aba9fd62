#include "platform/system_port_directory.h"

#include "platform/port_discovery.h"
#include "platform/port_map.h"

namespace appgen::platform {

SystemPortDirectory::SystemPortDirectory() : lister_([] { return findSerialDevices(); }), machine_(true) {}

std::vector<link::SerialDevice> SystemPortDirectory::devices() { return lister_(); }

link::PortAnswer SystemPortDirectory::resolve(const std::string& name) { return resolvePortName(name); }

std::optional<std::string> SystemPortDirectory::mapped(int com) {
    const PortMapFile f = readPortMap(portMapPath(processEnvironment()));
    if (const PortMapEntry* e = f.map.find(com)) return e->device;
    return std::nullopt;
}

link::PortMapSaveResult SystemPortDirectory::assign(int com, const std::optional<std::string>& device) {
    return writePortMapLine(portMapPath(processEnvironment()), com, device);
}

link::DevicePresence SystemPortDirectory::presenceOf(const std::string& name) {
    return machine_ ? presenceAt(name) : link::DevicePresence::Missing;
}

bool SystemPortDirectory::leadsTo(const std::string& name, const link::SerialDevice& device) {
    return device.isNamed(name) || sameDeviceNode(name, device.path);
}

}  // namespace appgen::platform
