// The second paragraph of the link's failure messages: under the program's
// own short text ("Can't open the COM port!", "Terminal is not ready!") it
// names the device, the system's reason and what the operator can do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/port_directory.h"
#include "link/serial_port.h"

namespace appgen::link {

// "COM3 is /dev/ttyUSB0 (from the port map): Permission denied." and the fix:
// the "dialout" group for a permission error, the devices found for a missing
// one and where a COMn is pointed at another, the other program for a busy one.
std::string openFailureAdvice(const PortAnswer& port, OpenProblem problem, const std::string& reason,
                              const std::vector<SerialDevice>& found,
                              PortNaming naming = PortNaming::PortMap);
// The same for a port that did not open, from what the port reported; `name`
// (the name asked for) stands for a port the result leaves empty.
std::string openFailureText(const std::string& name, const OpenResult& result);

enum class TransferKind { Download, Upload };

// What to check when the terminal does not answer: the device and speed, the
// terminal's mode, the cradle or cable, the same speed on both sides.
std::string timeoutAdvice(const PortAnswer& port, std::uint32_t baud, TransferKind kind, bool cradle);

// What to check when the terminal answered at first and then went quiet or
// kept refusing a unit: still on the cradle or its cable, still switched on.
std::string stoppedAnsweringAdvice(const PortAnswer& port, std::uint32_t baud, bool cradle);

}  // namespace appgen::link
