// The second paragraph of the link's failure messages: under the program's
// own short text ("Can't open the COM port!", "Terminal is not ready!") it
// names the device, the system's reason and what the operator can do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/port_directory.h"

namespace appgen::link {

enum class OpenProblem {
    Missing,    // no such device
    Forbidden,  // no permission
    Busy,       // another program holds it
    NotSerial,  // it exists but is no serial port
    Other,
};

// The kind of an open failure, from the system's error number.
OpenProblem openProblemOf(int error);

// How a COMn finds its device on this system: through the port map (POSIX),
// or as the system's own port of that name (Windows).
enum class PortNaming { PortMap, SystemNames };

// "COM3 is /dev/ttyUSB0 (from the port map): Permission denied." and the fix:
// the "dialout" group for a permission error, the devices found for a missing
// one and where a COMn is pointed at another, the other program for a busy one.
std::string openFailureAdvice(const PortAnswer& port, OpenProblem problem, const std::string& reason,
                              const std::vector<SerialDevice>& found,
                              PortNaming naming = PortNaming::PortMap);

enum class TransferKind { Download, Upload };

// What to check when the terminal does not answer: the device and speed, the
// terminal's mode, the cradle or cable, the same speed on both sides.
std::string timeoutAdvice(const PortAnswer& port, std::uint32_t baud, TransferKind kind, bool cradle);

// What to check when the terminal answered at first and then went quiet or
// kept refusing a unit: still on the cradle or its cable, still switched on.
std::string stoppedAnsweringAdvice(const PortAnswer& port, std::uint32_t baud, bool cradle);

}  // namespace appgen::link
