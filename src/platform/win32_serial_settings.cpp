#include "platform/win32_serial_settings.h"

#include <cctype>
#include <cwctype>

#include "platform/win32_com_ports.h"
#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

// The number of "COMn", or 0 when the name is not one.
unsigned comNumber(std::string_view name) {
    if (name.size() < 4 || name.size() > 6) return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
    unsigned n = 0;
    for (const char c : name.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
        n = n * 10 + static_cast<unsigned>(c - '0');
    }
    return n >= 1 && n <= 256 ? n : 0;
}

}  // namespace

std::wstring win32DeviceName(const std::string& name) {
    std::string_view rest = name;
    if (rest.starts_with("\\\\.\\")) rest.remove_prefix(4);
    if (const unsigned n = comNumber(rest)) return L"\\\\.\\COM" + std::to_wstring(n);
    return widen(name);
}

std::wstring portMutexName(const std::wstring& device) {
    std::wstring name = L"Global\\appgen-serial-";
    for (const wchar_t c : device) name += c == L'\\' ? L'_' : static_cast<wchar_t>(std::towupper(c));
    return name;
}

void applyToDcb(const link::LineSettings& s, DCB& dcb) {
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = s.baudRate;
    dcb.ByteSize = s.byteSize;
    // The link's enumerations take the DCB's own numbers.
    dcb.Parity = static_cast<BYTE>(s.parity);
    dcb.StopBits = static_cast<BYTE>(s.stopBits);
    dcb.fDtrControl = static_cast<DWORD>(s.dtr);
    dcb.fRtsControl = static_cast<DWORD>(s.rts);
    dcb.fOutxCtsFlow = s.outxCtsFlow;
    dcb.fOutX = s.outX;
    // Raw bytes both ways: nothing the terminal sends is taken as control.
    dcb.fBinary = TRUE;
    dcb.fParity = s.parity != link::Parity::None;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
}

bool framingMatches(const link::LineSettings& s, const DCB& dcb) {
    return dcb.BaudRate == s.baudRate && dcb.ByteSize == s.byteSize &&
           dcb.Parity == static_cast<BYTE>(s.parity) && dcb.StopBits == static_cast<BYTE>(s.stopBits);
}

COMMTIMEOUTS commTimeoutsFor(link::Tick waitMs, const link::PortTimeouts& link) {
    COMMTIMEOUTS t{};
    // Windows would also return at the first byte with MAXDWORD, MAXDWORD, n,
    // but Wine (8.0) then waits out all n ms whatever arrives: a read of one
    // byte with a total time-out alone returns at that byte on both.
    if (waitMs == 0) {
        t.ReadIntervalTimeout = MAXDWORD;
    } else {
        t.ReadTotalTimeoutConstant = waitMs < MAXDWORD ? waitMs : MAXDWORD - 1;
    }
    t.WriteTotalTimeoutMultiplier = link.writeTotalMultiplier;
    t.WriteTotalTimeoutConstant = link.writeTotalConstant;
    return t;
}

link::OpenResult win32OpenFailure(const std::string& name, unsigned long error) {
    link::OpenResult r{.ok = false,
                       .port = {name, name, link::PortSource::Given},
                       .reason = win32ErrorText(error),
                       .naming = link::PortNaming::SystemNames};
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_BUSY) {
        r.problem = link::OpenProblem::Busy;  // a port is denied to a second opener only
    } else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        r.problem = link::OpenProblem::Missing;
        for (const std::string& com : listWin32ComPorts()) r.found.emplace_back().path = com;
    }
    return r;
}

}  // namespace appgen::platform
