// appgen-cli ports: the serial devices of this PC, the device each COMn of a
// project opens and where that comes from, and the user's port map where the
// system keeps one; the same listing on every system.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "platform/port_map_text.h"
#include "platform/port_survey.h"
#include "platform/system_port_directory.h"

namespace appgen::cli {
namespace {

constexpr char kUsage[] =
    "usage: appgen-cli ports [--json]\n"
    "       appgen-cli ports set COMn DEVICE\n"
    "       appgen-cli ports unset COMn\n";
constexpr char kOptions[] =
    "  --json               the same as one JSON object\n";
constexpr char kPortMapHelp[] =
    "  set COMn DEVICE      COMn opens DEVICE from now on (a USB adapter is kept by\n"
    "                       its stable by-id name, so it keeps its COMn when re-plugged)\n"
    "  unset COMn           COMn opens its default again\n"
    "The port map is $XDG_CONFIG_HOME/appgen/ports.conf (~/.config/appgen/ports.conf):\n"
    "one COMn=DEVICE a line, '#' starts a comment.\n";

int usage(bool help) {
    std::FILE* to = help ? stdout : stderr;
    std::fprintf(to, "%s%s%s%s", kUsage, platform::kPortsHelp, kOptions,
                 platform::keepsPortMap() ? kPortMapHelp : "");
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

void warnAboutMap(const platform::PortMapFile& f) {
    if (!f.readError.empty())
        std::fprintf(stderr, "appgen-cli ports: cannot read %s: %s\n", f.path.c_str(), f.readError.c_str());
    for (const platform::DamagedLine& d : f.map.damaged) {
        std::fprintf(stderr, "appgen-cli ports: %s line %d is ignored (%s): %s\n", f.path.c_str(), d.line,
                     d.why.c_str(), d.text.c_str());
    }
}

void printText(const platform::PortSurvey& s) {
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
    if (!s.portMap) {
        std::printf("\nCOM ports (no port map here: each opens the port of its name):\n");
    } else {
        const platform::PortMapFile& f = *s.portMap;
        std::printf("\nCOM ports (port map: %s%s):\n", f.path.empty() ? "none, HOME is not set" : f.path.c_str(),
                    f.path.empty() || f.exists ? "" : ", not written yet");
    }
    for (std::size_t p = 0; p < s.ports.size(); ++p) {
        const link::PortAnswer& a = s.ports[p];
        std::string where = sourceName(a.source);
        if (a.source == link::PortSource::Environment) where += ", APPGEN_" + a.name;
        if (s.foundAt[p] < 0) {
            where += s.presence[p] == link::DevicePresence::Missing ? ", not found" : ", not a terminal device";
        } else if (!s.foundAs[p].empty()) {
            where += ", " + s.foundAs[p];
        }
        std::printf("  %s  %s  (%s)\n", a.name.c_str(), a.device.c_str(), where.c_str());
    }
}

void printJson(const platform::PortSurvey& s) {
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
    w.endArray().key("portMap");
    if (!s.portMap) {
        w.raw("null");
    } else {
        const platform::PortMapFile& f = *s.portMap;
        w.beginObject().key("path").value(f.path).key("exists").value(f.exists).key("damaged").beginArray();
        for (const platform::DamagedLine& d : f.map.damaged)
            w.beginObject().key("line").value(d.line).key("text").value(d.text).key("why").value(d.why).endObject();
        w.endArray().endObject();
    }
    w.key("comPorts").beginArray();
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
    const auto n = platform::comNumberOf(a);
    if (!n || *n > platform::kSurveyedComPorts) {
        std::fprintf(stderr, "appgen-cli ports: '%s' is not COM1..COM6\n", a.c_str());
        return std::nullopt;
    }
    return n;
}

int setPort(link::PortDirectory& directory, int com, std::string device) {
    if (device.find('/') == std::string::npos) device = "/dev/" + device;  // "ttyUSB0"
    if (const auto why = platform::unwritableDevice(device)) {
        std::fprintf(stderr, "appgen-cli ports: cannot keep '%s': %s\n", device.c_str(), why->c_str());
        return kExitUsage;
    }
    if (device[0] != '/') {
        std::fprintf(stderr, "appgen-cli ports: give the device's full path, such as /dev/ttyUSB0\n");
        return kExitUsage;
    }
    std::string note;
    const auto devices = directory.devices();
    const link::SerialDevice* found = directory.deviceNamed(devices, device);
    if (found && device == found->path && !found->byId.empty()) {
        device = found->preferredName();
        note = " (the stable name of " + found->path + ")";
    } else if (!found) {
        note = " (no such serial device is present now)";
    }
    const link::PortMapSaveResult r = directory.assign(com, device);
    if (!r.ok) {
        std::fprintf(stderr, "appgen-cli ports: cannot write %s: %s\n",
                     r.path.empty() ? "the port map" : r.path.c_str(), r.reason.c_str());
        return kExitFailure;
    }
    std::printf("COM%d=%s%s\nwritten to %s\n", com, device.c_str(), note.c_str(), r.path.c_str());
    return kExitOk;
}

int unsetPort(link::PortDirectory& directory, int com) {
    if (!directory.mapped(com)) {
        std::printf("COM%d has no line in the port map\n", com);
    } else {
        const link::PortMapSaveResult r = directory.assign(com, std::nullopt);
        if (!r.ok) {
            std::fprintf(stderr, "appgen-cli ports: cannot write %s: %s\n", r.path.c_str(), r.reason.c_str());
            return kExitFailure;
        }
    }
    const link::PortAnswer now = directory.resolve("COM" + std::to_string(com));
    std::printf("COM%d opens %s (%s)\n", com, now.device.c_str(), sourceName(now.source));
    return kExitOk;
}

}  // namespace

int runPorts(const Args& args) {
    if (wantsHelp(args)) return usage(true);
    if (!args.empty() && (args[0] == "set" || args[0] == "unset")) {
        if (!platform::keepsPortMap()) {
            std::fprintf(stderr, "appgen-cli ports: %s\n", platform::kNoPortMapOnWindows);
            return kExitUsage;
        }
        if (args.size() != (args[0] == "set" ? 3u : 2u)) return usage(false);
        const auto com = comArgument(args[1]);
        if (!com) return kExitUsage;
        platform::SystemPortDirectory directory;
        return args[0] == "set" ? setPort(directory, *com, args[2]) : unsetPort(directory, *com);
    }
    const bool json = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !json) return usage(false);
    const platform::PortSurvey s = platform::surveyPorts();
    if (s.portMap) warnAboutMap(*s.portMap);
    if (json) printJson(s);
    else printText(s);
    return kExitOk;
}

}  // namespace appgen::cli
