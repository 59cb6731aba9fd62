#include "platform/device_names.h"

#include <cctype>
#include <cstdlib>

namespace appgen::platform {

std::string deviceForPortName(const std::string& name) {
    const bool com = name.size() > 3 && (name[0] == 'C' || name[0] == 'c') &&
                     (name[1] == 'O' || name[1] == 'o') && (name[2] == 'M' || name[2] == 'm');
    if (!com) return name;
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || n > 999) return name;
        n = n * 10 + (name[i] - '0');
    }
    if (n < 1) return name;
    const std::string var = "APPGEN_COM" + std::to_string(n);
    if (const char* dev = std::getenv(var.c_str()); dev && *dev) return dev;
    return "/dev/ttyS" + std::to_string(n - 1);
}

}  // namespace appgen::platform
