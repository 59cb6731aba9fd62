// Arbitrary text as a port map file (which device each "COMn" stands for).
// Parsing is pure: the same text gives the same entries; every entry names a
// port and a device that are not empty, hold no line end or NUL, and are
// taken from the text, never made up.
//
// Not yet in fuzz/CMakeLists.txt: the parser lands with the port map itself.
// Expected: `std::vector<PortMapEntry> parsePortMap(std::string_view text)`
// with string members `port` ("COM1") and `device` ("/dev/ttyUSB0").
// Add `appgen_fuzz_target(port_map LIBS appgen_platform)` there once
// platform/port_map.h declares what is used below; adjust the two names in
// `parse` if they differ.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/port_map.h"

namespace {

struct Entry {
    std::string port;
    std::string device;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> parse(std::string_view text) {
    std::vector<Entry> out;
    for (const auto& e : appgen::platform::parsePortMap(text)) out.push_back({e.port, e.device});
    return out;
}

void require(bool ok, const char* property) {
    if (ok) return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

bool plain(std::string_view s) {
    return !s.empty() && s.find_first_of("\r\n") == std::string_view::npos &&
           s.find('\0') == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<Entry> entries = parse(text);
    require(parse(text) == entries, "the same text gives the same entries");
    for (const auto& e : entries) {
        require(plain(e.port) && plain(e.device), "a port and a device, each one non-empty line");
        require(text.find(e.port) != std::string_view::npos &&
                    text.find(e.device) != std::string_view::npos,
                "entries come from the text");
    }
    return 0;
}
