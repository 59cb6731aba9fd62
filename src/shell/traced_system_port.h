// The system's serial port as the front ends use it: every byte traced to a
// file when one is named (appgen-cli --trace FILE, the desktop program's
// APPGEN_TRACE=FILE), so a failed transfer in the field can be sent to support.
#pragma once

#include <memory>
#include <string>

#include "link/traced_port.h"
#include "platform/steady_tick_clock.h"
#include "platform/system_serial_port.h"
#include "platform/trace_file.h"

namespace appgen::shell {

namespace detail {
// Built before the TracedPort that wraps them.
struct TracedPortParts {
    explicit TracedPortParts(const std::string& tracePath);
    platform::SystemSerialPort system;
    platform::SteadyTickClock clock;  // times the trace from each open
    std::unique_ptr<platform::TraceFile> file;
};
}  // namespace detail

class TracedSystemPort : private detail::TracedPortParts, public link::TracedPort {
public:
    // tracePath empty: no trace, the system's port alone.
    explicit TracedSystemPort(const std::string& tracePath = {});

    // The port itself, for what only it has (the stop signals' hook).
    platform::SystemSerialPort& systemPort() { return system; }
    // Why the trace file could not be opened; empty when it was, or none was named.
    std::string traceError() const { return file && !file->isOpen() ? file->error() : std::string(); }
};

// The desktop program's port: traced to the file APPGEN_TRACE names. A file
// that cannot be opened is told on stderr and the program goes on without.
class DesktopSerialPort : public TracedSystemPort {
public:
    DesktopSerialPort();
};

inline constexpr const char* kTraceVariable = "APPGEN_TRACE";

}  // namespace appgen::shell
