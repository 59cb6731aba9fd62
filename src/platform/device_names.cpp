#include "platform/device_names.h"

#include "platform/port_map.h"

namespace appgen::platform {

std::string deviceForPortName(const std::string& name) { return resolvePortName(name).device; }

}  // namespace appgen::platform
