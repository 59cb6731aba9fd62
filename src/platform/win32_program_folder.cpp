#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/program_folder.h"
#include "platform/win32_text.h"
#include "project/utf8_path.h"

namespace appgen::platform {

std::string programFolder() {
    // Long paths may not fit MAX_PATH; the buffer grows until the name fits.
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) {
            std::error_code ec;
            return utf8String(std::filesystem::current_path(ec));
        }
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return utf8String(std::filesystem::path(exe).parent_path());
}

}  // namespace appgen::platform
