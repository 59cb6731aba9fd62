#include "cli/link_options.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/port_syntax.h"

namespace appgen::cli {
namespace {

bool parseNumber(const std::string& s, unsigned long& out) {
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, out);
    return !s.empty() && r.ec == std::errc{} && r.ptr == end;
}

std::nullopt_t bad(const char* why, const std::string& what) {
    std::fprintf(stderr, "appgen-cli: %s '%s'\n", why, what.c_str());
    return std::nullopt;
}

bool takesValue(const std::string& a) {
    return a == "--port" || a == "--baud" || a == "--retries" || a == "--project" ||
           a == "--test-timeouts" || a == "--trace";
}

}  // namespace

const char* const kTraceHelp =
    "  --trace FILE   append every byte written and read to FILE, with the\n"
    "                 milliseconds since the port opened, the direction, hex and\n"
    "                 text (for support, when a transfer fails)\n";

std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& args,
                                            bool allowProject, bool allowRetries) {
    LinkOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() -> const std::string& { return args[++i]; };
        if (a == "--cradle") {
            o.cradle = true;
        } else if (a == "--port" && hasValue) {
            const std::string& p = value();
            if (!platform::isPortName(p)) return bad("--port takes COM1..COM6 or a device path, not", p);
            o.port = p;
        } else if (a == "--baud" && hasValue) {
            unsigned long b = 0;
            const std::string& v = value();
            const auto index = parseNumber(v, b) ? link::baudIndexOf(static_cast<std::uint32_t>(b))
                                                 : std::nullopt;
            if (!index) return bad("--baud takes 115200, 57600, 38400, 19200 or 9600, not", v);
            o.baudIndex = *index;
        } else if (a == "--retries" && hasValue && allowRetries) {
            unsigned long n = 0;
            const std::string& v = value();
            if (!parseNumber(v, n) || n > 1000) return bad("--retries takes a count, not", v);
            o.retries = static_cast<int>(n);
        } else if (a == "--project" && hasValue && allowProject) {
            o.project = value();
        } else if (a == "--trace" && hasValue) {
            o.trace = value();
            if (o.trace.empty()) return bad("--trace takes a file name, not", o.trace);
        } else if (a == "--test-timeouts" && hasValue) {
            // REPLY_MS,LINE_MS: shortened time-outs for tests of a silent terminal.
            const std::string& v = value();
            const auto comma = v.find(',');
            unsigned long reply = 0, line = 0;
            if (comma == std::string::npos || !parseNumber(v.substr(0, comma), reply) ||
                !parseNumber(v.substr(comma + 1), line) || reply == 0 || line == 0)
                return bad("--test-timeouts takes REPLY_MS,LINE_MS, not", v);
            o.timings.replyTimeout = static_cast<link::Tick>(reply);
            o.timings.recordTimeout = static_cast<link::Tick>(line);
        } else if (takesValue(a) && !hasValue) {
            return bad("option needs a value:", a);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return bad("unknown option", a);
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

link::PortChoice choosePort(const LinkOptions& o, const PortSettings* project) {
    link::PortChoice c = project ? link::portChoiceOf(*project) : link::PortChoice{};
    if (o.port) c.name = *o.port;
    if (o.baudIndex) c.baudIndex = *o.baudIndex;
    return c;
}

}  // namespace appgen::cli
