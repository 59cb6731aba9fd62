#include "platform/port_discovery.h"
#include "platform/port_survey.h"

namespace appgen::platform {

const char* const kPortsHelp =
    "Lists the serial devices of this PC (/dev/ttyS* with a UART, /dev/ttyUSB*,\n"
    "/dev/ttyACM*, with their stable /dev/serial/by-id/ names and USB product), and\n"
    "then COM1..COM6 with the device each opens and where that comes from: the\n"
    "environment variable APPGEN_COMn, the port map, or the default /dev/ttyS<n-1>.\n";

bool keepsPortMap() { return true; }

PortSurvey surveyPorts() {
    const EnvLookup env = processEnvironment();
    PortSurvey s;
    s.portMap = readPortMap(portMapPath(env));
    s.devices = findSerialDevices();
    for (int n = 1; n <= kSurveyedComPorts; ++n) {
        s.ports.push_back(resolvePortName("COM" + std::to_string(n), env, s.portMap->map));
        int at = -1;
        for (std::size_t i = 0; i < s.devices.size() && at < 0; ++i) {
            const link::SerialDevice& d = s.devices[i];
            if (d.isNamed(s.ports.back().device) || sameDeviceNode(s.ports.back().device, d.path))
                at = static_cast<int>(i);
        }
        // A terminal device outside the search (a pseudo-terminal, a socat
        // link) is listed by its path rather than called missing.
        const link::DevicePresence presence = at < 0 ? presenceAt(s.ports.back().device) : link::DevicePresence::Terminal;
        if (at < 0 && presence == link::DevicePresence::Terminal) {
            s.devices.push_back({s.ports.back().device, {}, {}, {}, {}});
            at = static_cast<int>(s.devices.size()) - 1;
        }
        s.presence.push_back(presence);
        s.foundAt.push_back(at);
        const std::string& path = at < 0 ? s.ports.back().device : s.devices[static_cast<std::size_t>(at)].path;
        s.foundAs.push_back(path != s.ports.back().device ? path : std::string());
    }
    return s;
}

}  // namespace appgen::platform
