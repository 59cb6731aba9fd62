// The machine's ports on Windows: the COM ports the system knows. A COMn
// name opens the port of that name, so there is no port map to keep.
#include "platform/port_map_text.h"
#include "platform/system_port_directory.h"
#include "platform/win32_com_ports.h"

namespace appgen::platform {
namespace {

// "com3" and "\\.\COM3" are COM3; nothing for other names.
std::optional<std::string> comName(std::string_view name) {
    if (name.starts_with("\\\\.\\")) name.remove_prefix(4);
    const auto n = comNumberOf(name);
    if (!n) return std::nullopt;
    return "COM" + std::to_string(*n);
}

}  // namespace

SystemPortDirectory::SystemPortDirectory()
    : lister_([] {
          std::vector<link::SerialDevice> found;
          for (const std::string& com : listWin32ComPorts()) found.emplace_back().path = com;
          return found;
      }) {}

std::vector<link::SerialDevice> SystemPortDirectory::devices() { return lister_(); }

link::PortAnswer SystemPortDirectory::resolve(const std::string& name) {
    if (const auto com = comName(name)) return {name, *com, link::PortSource::Default};
    return {name, name, link::PortSource::Given};
}

// A COM port the system does not list cannot be opened: it is missing.
link::DevicePresence SystemPortDirectory::presenceOf(const std::string&) { return link::DevicePresence::Missing; }

std::optional<std::string> SystemPortDirectory::mapped(int) { return std::nullopt; }

link::PortMapSaveResult SystemPortDirectory::assign(int com, const std::optional<std::string>& device) {
    if (!device || comName(*device) == "COM" + std::to_string(com)) return {true, {}, {}};
    return {false, "COM" + std::to_string(com), kNoPortMapOnWindows};
}

bool SystemPortDirectory::leadsTo(const std::string& name, const link::SerialDevice& device) {
    const auto com = comName(name);
    return device.isNamed(name) || (com && com == comName(device.path));
}

}  // namespace appgen::platform
