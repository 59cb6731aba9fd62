#include "link/port_choice.h"

namespace appgen::link {

std::uint32_t baudFromIndex(u8 index) { return index < kBaudChoices ? kBaudRates[index] : kBaudRates[0]; }

std::optional<u8> baudIndexOf(std::uint32_t baud) {
    for (int i = 0; i < kBaudChoices; ++i)
        if (kBaudRates[i] == baud) return static_cast<u8>(i);
    return std::nullopt;
}

std::string comPortName(u8 comPort) { return "COM" + std::to_string(comPort + 1); }

PortChoice portChoiceOf(const PortSettings& settings) {
    return {comPortName(settings.comPort), settings.baudRate < kBaudChoices ? settings.baudRate : u8{0}};
}

}  // namespace appgen::link
