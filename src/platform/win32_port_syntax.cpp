#include "platform/port_syntax.h"

#include <charconv>

namespace appgen::platform {

bool isPortName(std::string_view p) {
    std::string_view n = p;
    if (n.starts_with("\\\\.\\")) n.remove_prefix(4);
    if (n.size() >= 4 && n.size() <= 6 && n.starts_with("COM") && n[3] != '0') {
        unsigned number = 0;
        const char* end = n.data() + n.size();
        const auto r = std::from_chars(n.data() + 3, end, number);
        return r.ec == std::errc{} && r.ptr == end && number >= 1 && number <= 256;
    }
    return p.find('/') != std::string_view::npos;
}

const char* portOptionHelp() {
    return "  --port P       COM1..COM256 or \\\\.\\COMn (appgen-cli ports lists this PC's)\n";
}

}  // namespace appgen::platform
