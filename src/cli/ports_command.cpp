// appgen-cli ports: the serial devices of this PC, the device each COMn of a
// project opens and where that comes from, and the user's port map.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "link/port_map_text.h"
#include "platform/port_discovery.h"
#include "platform/port_map.h"

namespace appgen::cli {
namespace {

constexpr char kUsage[] =
    "usage: appgen-cli ports [--json]\n"
    "       appgen-cli ports set COMn DEVICE\n"
    "       appgen-cli ports unset COMn\n"
    "Lists the serial devices of this PC (/dev/ttyS* with a UART, /dev/ttyUSB*,\n"
    "/dev/ttyACM*, with their stable /dev/serial/by-id/ names and USB product), and\n"
    "then COM1..COM6 with the device each opens and where that comes from: the\n"
    "environment variable APPGEN_COMn, the port map, or the default /dev/ttyS<n-1>.\n"
    "  --json               the same as one JSON object\n"
    "  set COMn DEVICE      COMn opens DEVICE from now on (a USB adapter is kept by\n"
    "                       its stable by-id name, so it keeps its COMn when re-plugged)\n"
    "  unset COMn           COMn opens its default again\n"
    "The port map is $XDG_CONFIG_HOME/appgen/ports.conf (~/.config/appgen/ports.conf):\n"
    "one COMn=DEVICE a line, '#' starts a comment.\n";

constexpr int kComPorts = 6;

int usage(bool help) {
    std::fprintf(help ? stdout : stderr, "%s", kUsage);
    return help ? kExitOk : kExitUsage;
}

const char* sourceName(link::PortSource s) {
    switch (s) {
        case link::PortSource::Environment: return "environment";
        case link::PortSource::PortMap: return "port map";
        case link::PortSource::Default: return "default";
        case link::PortSource::Given: return "given";
    }
    return "?";
}

struct Survey {
    platform::PortMapFile file;
    std::vector<link::SerialDevice> devices;
    std::vector<link::PortAnswer> ports;  // COM1..COM6
    std::vector<int> foundAt;             // per port: index into devices, or -1
};

Survey survey(const platform::EnvLookup& env) {
    Survey s;
    s.file = platform::readPortMap(platform::portMapPath(env));
    s.devices = platform::findSerialDevices();
    for (int n = 1; n <= kComPorts; ++n) {
        s.ports.push_back(platform::resolvePortName("COM" + std::to_string(n), env, s.file.map));
        int at = -1;
        for (std::size_t i = 0; i < s.devices.size() && at < 0; ++i) {
            const link::SerialDevice& d = s.devices[i];
            if (d.isNamed(s.ports.back().device) || platform::sameDeviceNode(s.ports.back().device, d.path))
                at = static_cast<int>(i);
        }
        // A terminal device outside the search (a pseudo-terminal, a socat
        // link) is listed by its path rather than called missing.
        const std::string& device = s.ports.back().device;
        if (at < 0 && platform::presenceAt(device) == link::DevicePresence::Terminal) {
            s.devices.push_back({device, {}, {}, {}, {}});
            at = static_cast<int>(s.devices.size()) - 1;
        }
        s.foundAt.push_back(at);
    }
    return s;
}

void warnAboutMap(const platform::PortMapFile& f) {
    if (!f.readError.empty())
        std::fprintf(stderr, "appgen-cli ports: cannot read %s: %s\n", f.path.c_str(), f.readError.c_str());
    for (const link::DamagedLine& d : f.map.damaged) {
        std::fprintf(stderr, "appgen-cli ports: %s line %d is ignored (%s): %s\n", f.path.c_str(), d.line,
                     d.why.c_str(), d.text.c_str());
    }
}

void printText(const Survey& s) {
    std::printf("Serial devices:\n");
    if (s.devices.empty()) std::printf("  none found\n");
    for (std::size_t i = 0; i < s.devices.size(); ++i) {
        const link::SerialDevice& d = s.devices[i];
        std::string line = "  " + d.path;
        if (!d.description().empty()) line += "  " + d.description();
        if (!d.product.empty() && !d.maker.empty()) line += " (" + d.maker + ")";
        if (!d.serial.empty()) line += ", serial " + d.serial;
        std::string coms;
        for (std::size_t p = 0; p < s.ports.size(); ++p) {
            if (s.foundAt[p] == static_cast<int>(i)) coms += (coms.empty() ? "" : ", ") + s.ports[p].name;
        }
        if (!coms.empty()) line += "  <- " + coms;
        std::printf("%s\n", line.c_str());
        for (const std::string& id : d.byId) std::printf("      %s\n", id.c_str());
    }
    std::printf("\nCOM ports (port map: %s%s):\n",
                s.file.path.empty() ? "none, HOME is not set" : s.file.path.c_str(),
                s.file.path.empty() || s.file.exists ? "" : ", not written yet");
    for (std::size_t p = 0; p < s.ports.size(); ++p) {
        const link::PortAnswer& a = s.ports[p];
        std::string where = sourceName(a.source);
        if (a.source == link::PortSource::Environment) where += ", APPGEN_" + a.name;
        if (s.foundAt[p] < 0) {
            where += platform::presenceAt(a.device) == link::DevicePresence::Missing ? ", not found"
                                                                                  : ", not a terminal device";
        } else if (s.devices[static_cast<std::size_t>(s.foundAt[p])].path != a.device) {
            where += ", " + s.devices[static_cast<std::size_t>(s.foundAt[p])].path;
        }
        std::printf("  %s  %s  (%s)\n", a.name.c_str(), a.device.c_str(), where.c_str());
    }
}

void printJson(const Survey& s) {
    JsonWriter w;
    w.beginObject().key("devices").beginArray();
    for (std::size_t i = 0; i < s.devices.size(); ++i) {
        const link::SerialDevice& d = s.devices[i];
        w.beginObject().key("path").value(d.path).key("byId").beginArray();
        for (const std::string& id : d.byId) w.value(id);
        w.endArray().key("description").value(d.description());
        w.key("maker").value(d.maker).key("product").value(d.product).key("serial").value(d.serial);
        w.key("comPorts").beginArray();
        for (std::size_t p = 0; p < s.ports.size(); ++p) {
            if (s.foundAt[p] == static_cast<int>(i)) w.value(s.ports[p].name);
        }
        w.endArray().endObject();
    }
    w.endArray().key("portMap").beginObject().key("path").value(s.file.path);
    w.key("exists").value(s.file.exists).key("damaged").beginArray();
    for (const link::DamagedLine& d : s.file.map.damaged)
        w.beginObject().key("line").value(d.line).key("text").value(d.text).key("why").value(d.why).endObject();
    w.endArray().endObject().key("comPorts").beginArray();
    for (std::size_t p = 0; p < s.ports.size(); ++p) {
        const link::PortAnswer& a = s.ports[p];
        w.beginObject().key("name").value(a.name).key("device").value(a.device);
        w.key("source").value(sourceName(a.source)).key("found");
        if (s.foundAt[p] < 0) w.raw("null");
        else w.value(s.devices[static_cast<std::size_t>(s.foundAt[p])].path);
        w.endObject();
    }
    w.endArray().endObject();
    std::printf("%s\n", w.text().c_str());
}

std::optional<int> comArgument(const std::string& a) {
    const auto n = link::comNumberOf(a);
    if (!n || *n > kComPorts) {
        std::fprintf(stderr, "appgen-cli ports: '%s' is not COM1..COM6\n", a.c_str());
        return std::nullopt;
    }
    return n;
}

int setPort(const platform::EnvLookup& env, int com, std::string device) {
    if (device.find('/') == std::string::npos) device = "/dev/" + device;  // "ttyUSB0"
    if (const auto why = link::unwritableDevice(device)) {
        std::fprintf(stderr, "appgen-cli ports: cannot keep '%s': %s\n", device.c_str(), why->c_str());
        return kExitUsage;
    }
    if (device[0] != '/') {
        std::fprintf(stderr, "appgen-cli ports: give the device's full path, such as /dev/ttyUSB0\n");
        return kExitUsage;
    }
    std::string note;
    const auto devices = platform::findSerialDevices();
    const link::SerialDevice* found = nullptr;
    for (const link::SerialDevice& d : devices) {
        if (!found && (d.isNamed(device) || platform::sameDeviceNode(device, d.path))) found = &d;
    }
    if (found && device == found->path && !found->byId.empty()) {
        device = found->preferredName();
        note = " (the stable name of " + found->path + ")";
    } else if (!found) {
        note = " (no such serial device is present now)";
    }
    const std::string path = platform::portMapPath(env);
    const link::PortMapSaveResult r = platform::writePortMapLine(path, com, device);
    if (!r.ok) {
        std::fprintf(stderr, "appgen-cli ports: cannot write %s: %s\n",
                     path.empty() ? "the port map" : path.c_str(), r.reason.c_str());
        return kExitFailure;
    }
    std::printf("COM%d=%s%s\nwritten to %s\n", com, device.c_str(), note.c_str(), path.c_str());
    return kExitOk;
}

int unsetPort(const platform::EnvLookup& env, int com) {
    const std::string path = platform::portMapPath(env);
    if (!platform::readPortMap(path).map.find(com)) {
        std::printf("COM%d has no line in the port map\n", com);
    } else {
        const link::PortMapSaveResult r = platform::writePortMapLine(path, com, std::nullopt);
        if (!r.ok) {
            std::fprintf(stderr, "appgen-cli ports: cannot write %s: %s\n", path.c_str(), r.reason.c_str());
            return kExitFailure;
        }
    }
    const link::PortAnswer now = platform::resolvePortName("COM" + std::to_string(com));
    std::printf("COM%d opens %s (%s)\n", com, now.device.c_str(), sourceName(now.source));
    return kExitOk;
}

}  // namespace

int runPorts(const Args& args) {
    if (wantsHelp(args)) return usage(true);
    const platform::EnvLookup env = platform::processEnvironment();
    if (!args.empty() && args[0] == "set") {
        if (args.size() != 3) return usage(false);
        const auto com = comArgument(args[1]);
        return com ? setPort(env, *com, args[2]) : kExitUsage;
    }
    if (!args.empty() && args[0] == "unset") {
        if (args.size() != 2) return usage(false);
        const auto com = comArgument(args[1]);
        return com ? unsetPort(env, *com) : kExitUsage;
    }
    const bool json = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !json) return usage(false);
    const Survey s = survey(env);
    warnAboutMap(s.file);
    if (json) printJson(s);
    else printText(s);
    return kExitOk;
}

}  // namespace appgen::cli
