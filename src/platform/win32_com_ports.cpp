#include "platform/win32_com_ports.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

// The number of a "COMn" name, 0 when it is none.
unsigned long comNumber(const std::wstring& name) {
    if (name.size() < 4 || name.size() > 6 || _wcsnicmp(name.c_str(), L"COM", 3) != 0) return 0;
    unsigned long n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::iswdigit(name[i])) return 0;
        n = n * 10 + static_cast<unsigned long>(name[i] - L'0');
    }
    return n;
}

void addRegistered(std::vector<unsigned long>& numbers) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t value[256];
        DWORD valueLen = 256;
        wchar_t data[64];
        DWORD dataBytes = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG r = RegEnumValueW(key, i, value, &valueLen, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                     &dataBytes);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS || type != REG_SZ) continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        if (const unsigned long n = comNumber(data)) numbers.push_back(n);
    }
    RegCloseKey(key);
}

void addDosDevices(std::vector<unsigned long>& numbers) {
    std::wstring names(64 * 1024, L'\0');
    DWORD n = 0;
    while ((n = QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()))) == 0 &&
           GetLastError() == ERROR_INSUFFICIENT_BUFFER && names.size() < 16u * 1024 * 1024)
        names.resize(names.size() * 2);
    for (std::size_t at = 0; at < n && names[at];) {
        const std::wstring name(names.c_str() + at);
        if (const unsigned long c = comNumber(name)) numbers.push_back(c);
        at += name.size() + 1;
    }
}

}  // namespace

std::vector<std::string> listWin32ComPorts() {
    std::vector<unsigned long> numbers;
    addRegistered(numbers);
    addDosDevices(numbers);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<std::string> ports;
    for (const unsigned long n : numbers) ports.push_back("COM" + std::to_string(n));
    return ports;
}

}  // namespace appgen::platform
