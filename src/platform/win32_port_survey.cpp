#include "platform/port_survey.h"
#include "platform/system_port_directory.h"

namespace appgen::platform {

const char* const kPortsHelp =
    "Lists the COM ports of this PC, then COM1..COM6 (the ports a project can name)\n"
    "with the device each opens and whether it is there. On Windows COMn is the port\n"
    "of that name: a USB adapter's number is set in the Device Manager (Ports (COM &\n"
    "LPT), the adapter's Port Settings, Advanced); --port takes COM1..COM256.\n";

bool keepsPortMap() { return false; }

PortSurvey surveyPorts() {
    SystemPortDirectory directory;
    PortSurvey s;
    s.devices = directory.devices();
    for (int n = 1; n <= kSurveyedComPorts; ++n) {
        link::PortAnswer a = directory.resolve("COM" + std::to_string(n));
        const link::SerialDevice* d = directory.deviceNamed(s.devices, a.device);
        s.foundAt.push_back(d ? static_cast<int>(d - s.devices.data()) : -1);
        a.device = "\\\\.\\" + a.device;  // as it is opened
        s.ports.push_back(a);
        s.foundAs.emplace_back();
        s.presence.push_back(d ? link::DevicePresence::Terminal : link::DevicePresence::Missing);
    }
    return s;
}

}  // namespace appgen::platform
