// appgen-cli ports on Windows: the COM ports of this PC, and whether the
// COM1..COM6 a project can name are among them. A COMn name opens the port of
// that name, so there is no port map to show or change.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "platform/system_port_directory.h"

namespace appgen::cli {
namespace {

constexpr char kUsage[] =
    "usage: appgen-cli ports [--json]\n"
    "Lists the COM ports of this PC, then COM1..COM6 (the ports a project can name)\n"
    "with the device each opens and whether it is there. On Windows COMn is the port\n"
    "of that name: a USB adapter's number is set in the Device Manager (Ports (COM &\n"
    "LPT), the adapter's Port Settings, Advanced); --port takes COM1..COM256.\n"
    "  --json               the same as one JSON object\n";

constexpr int kComPorts = 6;

int usage(bool help) {
    std::fprintf(help ? stdout : stderr, "%s", kUsage);
    return help ? kExitOk : kExitUsage;
}

struct Survey {
    std::vector<link::SerialDevice> devices;
    std::vector<link::PortAnswer> ports;  // COM1..COM6
    std::vector<int> foundAt;             // per port: index into devices, or -1
};

Survey survey(platform::SystemPortDirectory& directory) {
    Survey s;
    s.devices = directory.devices();
    for (int n = 1; n <= kComPorts; ++n) {
        s.ports.push_back(directory.resolve("COM" + std::to_string(n)));
        const link::SerialDevice* d = directory.deviceNamed(s.devices, s.ports.back().device);
        s.foundAt.push_back(d ? static_cast<int>(d - s.devices.data()) : -1);
    }
    return s;
}

std::string opened(const link::PortAnswer& a) { return "\\\\.\\" + a.device; }

void printText(const Survey& s) {
    std::printf("COM ports of this PC:\n");
    if (s.devices.empty()) std::printf("  none found\n");
    for (const link::SerialDevice& d : s.devices) std::printf("  %s\n", d.path.c_str());
    std::printf("\nCOM ports (no port map on Windows: each opens the port of its name):\n");
    for (std::size_t p = 0; p < s.ports.size(); ++p) {
        std::printf("  %s  %s  (%s)\n", s.ports[p].name.c_str(), opened(s.ports[p]).c_str(),
                    s.foundAt[p] < 0 ? "not found" : "found");
    }
}

void printJson(const Survey& s) {
    JsonWriter w;
    w.beginObject().key("devices").beginArray();
    for (std::size_t i = 0; i < s.devices.size(); ++i) {
        const link::SerialDevice& d = s.devices[i];
        w.beginObject().key("path").value(d.path).key("byId").beginArray().endArray();
        w.key("description").value("").key("maker").value("").key("product").value("");
        w.key("serial").value("").key("comPorts").beginArray();
        for (std::size_t p = 0; p < s.ports.size(); ++p) {
            if (s.foundAt[p] == static_cast<int>(i)) w.value(s.ports[p].name);
        }
        w.endArray().endObject();
    }
    w.endArray().key("portMap").raw("null").key("comPorts").beginArray();
    for (std::size_t p = 0; p < s.ports.size(); ++p) {
        w.beginObject().key("name").value(s.ports[p].name).key("device").value(opened(s.ports[p]));
        w.key("source").value("default").key("found");
        if (s.foundAt[p] < 0) w.raw("null");
        else w.value(s.devices[static_cast<std::size_t>(s.foundAt[p])].path);
        w.endObject();
    }
    w.endArray().endObject();
    std::printf("%s\n", w.text().c_str());
}

}  // namespace

int runPorts(const Args& args) {
    if (wantsHelp(args)) return usage(true);
    if (!args.empty() && (args[0] == "set" || args[0] == "unset")) {
        std::fprintf(stderr, "appgen-cli ports: %s\n", platform::kNoPortMapOnWindows);
        return kExitUsage;
    }
    const bool json = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !json) return usage(false);
    platform::SystemPortDirectory directory;
    const Survey s = survey(directory);
    if (json) printJson(s);
    else printText(s);
    return kExitOk;
}

}  // namespace appgen::cli
