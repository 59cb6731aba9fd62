// The text of the user's port map: one "COMn=DEVICE" a line, '#' starting a
// comment (also after a value), blank lines ignored. Reading never fails: a
// line that cannot be used is reported and skipped, the others still count.
// Editing keeps the operator's comments and every other line as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace appgen::platform {

struct PortMapEntry {
    int com = 0;  // 1 for COM1
    std::string device;
    int line = 0;  // 1-based
};

struct DamagedLine {
    int line = 0;  // 1-based
    std::string text;
    std::string why;
};

struct PortMapText {
    std::vector<PortMapEntry> entries;  // one per COMn, in the order of the file
    std::vector<DamagedLine> damaged;

    const PortMapEntry* find(int com) const;
};

// The number of "COMn" (any case, n from 1 to 255), or nothing.
std::optional<int> comNumberOf(std::string_view name);

PortMapText parsePortMap(std::string_view text);

// Why a device cannot be written as a value (empty, a '#', a line break,
// blanks at either end), or nothing when it can.
std::optional<std::string> unwritableDevice(std::string_view device);

// The text with COMn's line set to `device` (or removed when it is nothing).
// The first line of COMn is replaced in place, later ones are dropped; a new
// one goes at the end. `device` must pass unwritableDevice().
std::string editPortMap(std::string_view text, int com, const std::optional<std::string>& device);

}  // namespace appgen::platform
