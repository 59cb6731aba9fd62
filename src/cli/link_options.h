// The options shared by the link commands: port, speed, cradle, retries, trace.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/link_context.h"
#include "link/port_choice.h"

namespace appgen::cli {

struct LinkOptions {
    std::vector<std::string> positional;
    std::optional<std::string> port;   // --port COMn or a device path
    std::optional<u8> baudIndex;      // --baud
    std::optional<std::string> project;  // --project
    std::string trace;                   // --trace FILE: every byte on the port, appended
    bool cradle = false;
    int retries = 0;
    link::LinkTimings timings;  // --test-timeouts shortens the reply and record time-outs
};

// Parses args; on bad usage prints why and returns nothing. allowProject and
// allowRetries say which options the command takes.
std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& args,
                                            bool allowProject, bool allowRetries);

// The help lines of --trace, for every command that opens a port.
extern const char* const kTraceHelp;

// --port and --baud over the project's PortSettings (or COM1 at 115200).
link::PortChoice choosePort(const LinkOptions& o, const PortSettings* project);

}  // namespace appgen::cli
