#include "shell/traced_system_port.h"

#include <cstdio>

namespace appgen::shell {
namespace detail {

TracedPortParts::TracedPortParts(const std::string& tracePath) {
    if (!tracePath.empty()) file = std::make_unique<platform::TraceFile>(tracePath);
}

}  // namespace detail

TracedSystemPort::TracedSystemPort(const std::string& tracePath)
    : detail::TracedPortParts(tracePath),
      link::TracedPort(system, clock, file && file->isOpen() ? file.get() : nullptr) {}

DesktopSerialPort::DesktopSerialPort()
    : TracedSystemPort(platform::environmentValue(kTraceVariable).value_or(std::string())) {
    if (const std::string why = traceError(); !why.empty())
        std::fprintf(stderr, "appgen: %s: cannot write the trace to %s; transfers go on untraced\n",
                     kTraceVariable, why.c_str());
}

}  // namespace appgen::shell
