#include "platform/port_syntax.h"

namespace appgen::platform {

bool isPortName(std::string_view p) {
    if (p.size() == 4 && p.starts_with("COM")) return p[3] >= '1' && p[3] <= '6';
    return p.find('/') != std::string_view::npos;
}

const char* portOptionHelp() {
    return "  --port P       COM1..COM6 or a device path (/dev/ttyUSB0); COMn is the device in\n"
           "                 $APPGEN_COMn, else in the port map (appgen-cli ports), else\n"
           "                 /dev/ttyS<n-1>\n";
}

}  // namespace appgen::platform
