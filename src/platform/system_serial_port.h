// The serial port of the system the program runs on.
#pragma once

#ifdef _WIN32
#include "platform/win32_serial_port.h"
namespace appgen::platform {
using SystemSerialPort = Win32SerialPort;
}
#else
#include "platform/posix_serial_port.h"
namespace appgen::platform {
using SystemSerialPort = PosixSerialPort;
}
#endif
