// Arbitrary text as a port map file (which device each "COMn" stands for).
// Parsing is pure and never fails; every entry names a COMn once, with a
// device that could be written back; editing one port's line changes that
// port alone and keeps every other entry as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/port_map_text.h"

namespace {

using appgen::platform::PortMapText;

void require(bool ok, const char* property) {
    if (ok) return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

bool sameEntries(const PortMapText& a, const PortMapText& b, int except) {
    for (int com = 1; com <= 255; ++com) {
        if (com == except) continue;
        const auto* x = a.find(com);
        const auto* y = b.find(com);
        if ((x == nullptr) != (y == nullptr)) return false;
        if (x && x->device != y->device) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the port an edit touches; the rest is the file.
    const int com = data[0] % 8 + 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const PortMapText map = appgen::platform::parsePortMap(text);

    std::set<int> seen;
    for (const auto& e : map.entries) {
        require(e.com >= 1 && e.com <= 255, "a COM number from 1 to 255");
        require(seen.insert(e.com).second, "each COMn once");
        require(!appgen::platform::unwritableDevice(e.device), "a device that could be written back");
        require(text.find(e.device) != std::string_view::npos, "devices come from the text");
    }

    const std::string device = "/dev/ttyUSB" + std::to_string(com);
    const PortMapText set = appgen::platform::parsePortMap(appgen::platform::editPortMap(text, com, device));
    require(set.find(com) && set.find(com)->device == device, "a set line reads back");
    require(sameEntries(map, set, com), "setting one port keeps the others");

    const PortMapText unset =
        appgen::platform::parsePortMap(appgen::platform::editPortMap(text, com, std::nullopt));
    require(!unset.find(com), "an unset port is gone");
    require(sameEntries(map, unset, com), "unsetting one port keeps the others");
    return 0;
}
