#include "platform/win32_file_parts.h"

#include "platform/win32_text.h"

namespace appgen::platform::win32 {
namespace {

constexpr std::wstring_view kLong = L"\\\\?\\";
constexpr std::wstring_view kLongUnc = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevice = L"\\\\.\\";

bool startsWith(std::wstring_view s, std::wstring_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The file a symbolic link or junction leads to; the path itself when the
// link leads nowhere (the save then replaces the link).
std::wstring finalTarget(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (f == INVALID_HANDLE_VALUE) return path;
    std::wstring target(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(f, target.data(), static_cast<DWORD>(target.size()), 0);
    if (n >= target.size()) {
        target.resize(n + 1);
        n = GetFinalPathNameByHandleW(f, target.data(), static_cast<DWORD>(target.size()), 0);
    }
    CloseHandle(f);
    if (n == 0 || n >= target.size()) return path;
    target.resize(n);
    return target;
}

}  // namespace

std::wstring longPath(const std::string& path) {
    const std::wstring wide = widen(path);
    if (startsWith(wide, kLong) || startsWith(wide, kDevice)) return wide;
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return wide;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return wide;
    full.resize(n);
    if (startsWith(full, kDevice)) return full;  // NUL, COM1, LPT1
    if (startsWith(full, L"\\\\")) return std::wstring(kLongUnc) + full.substr(2);
    return std::wstring(kLong) + full;
}

std::string shownPath(const std::wstring& path) {
    if (startsWith(path, kLongUnc)) return narrow(L"\\\\" + path.substr(kLongUnc.size()));
    if (startsWith(path, kLong)) return narrow(path.substr(kLong.size()));
    return narrow(path);
}

Target resolveTarget(const std::string& path) {
    Target t;
    t.path = longPath(path);
    t.shown = path;
    if (startsWith(t.path, kDevice)) {
        t.exists = t.device = true;
        return t;
    }
    t.attributes = GetFileAttributesW(t.path.c_str());
    if (t.attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) t.error = error;  // nothing there yet: it will be made
        t.attributes = 0;
        return t;
    }
    t.exists = true;
    if (t.attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        const std::wstring final = finalTarget(t.path);
        if (final != t.path) {
            t.path = final;
            t.shown = shownPath(final);
            t.attributes = GetFileAttributesW(t.path.c_str());
            if (t.attributes == INVALID_FILE_ATTRIBUTES) t.error = GetLastError();
        }
    }
    return t;
}

std::string refusalOf(const Target& t) {
    if (t.error) return reasonOf(t.error);
    if (!t.exists || t.device) return {};
    if (t.attributes & FILE_ATTRIBUTE_DIRECTORY) return "It is a folder";
    if (t.attributes & FILE_ATTRIBUTE_READONLY) return "The file is read-only";
    return {};
}

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

std::wstring nameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

WriteFn systemWrite() {
    return [](HANDLE f, const void* data, DWORD size, DWORD* written) {
        return WriteFile(f, data, size, written, nullptr);
    };
}

bool writeAll(const WriteFn& write, HANDLE f, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!write(f, data, chunk, &written)) return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

DWORD keptAttributes(DWORD old) {
    return old & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

std::string reasonOf(DWORD error) { return win32ErrorText(error); }

}  // namespace appgen::platform::win32
