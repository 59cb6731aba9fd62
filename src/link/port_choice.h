// Which port and speed a transfer uses: the project's PortSettings, or a
// device and speed named by the caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "project/project.h"

namespace appgen::link {

inline constexpr int kBaudChoices = 5;
// Index order of PortSettings.baudRate.
inline constexpr std::uint32_t kBaudRates[kBaudChoices] = {115200, 57600, 38400, 19200, 9600};

struct PortChoice {
    std::string name = "COM1";  // "COM1".."COM6" or a device path
    u8 baudIndex = 0;           // into kBaudRates
};

// An index beyond the table (a damaged project) falls back to 115200.
std::uint32_t baudFromIndex(u8 index);
std::optional<u8> baudIndexOf(std::uint32_t baud);
// "COM1" for 0; an index beyond 5 still names a port rather than reading past a table.
std::string comPortName(u8 comPort);
PortChoice portChoiceOf(const PortSettings& settings);

}  // namespace appgen::link
