// The Win32 serial port's translations, apart from the port so that they can
// be tested without one: port names to devices, the link's line settings to a
// DCB, a read wait to COMMTIMEOUTS, and an open failure to the link's terms.
#pragma once

#include <windows.h>

#include <string>

#include "link/serial_port.h"

namespace appgen::platform {

// "COM1".."COM256" in any case, or "\\.\COMn", become "\\.\COMn" (COM10 and
// above can only be opened that way); any other name is taken as a device.
std::wstring win32DeviceName(const std::string& name);

// The name of the mutex that marks the device as ours while it is open.
std::wstring portMutexName(const std::wstring& device);

// The DCB fields the link owns, written over what the driver reported.
void applyToDcb(const link::LineSettings& s, DCB& dcb);
// Whether the driver kept the speed and framing asked for.
bool framingMatches(const link::LineSettings& s, const DCB& dcb);

// With waitMs 0, reads that return at once with what the driver holds; else
// reads that wait at most waitMs for a one-byte buffer to fill. Writes are
// bounded by the link's write time-outs.
COMMTIMEOUTS commTimeoutsFor(link::Tick waitMs, const link::PortTimeouts& link);

// An open failure in the terms the link words it in: access denied is a
// port another program holds; for a missing port, the COM ports there are.
link::OpenResult win32OpenFailure(const std::string& name, unsigned long error);

}  // namespace appgen::platform
