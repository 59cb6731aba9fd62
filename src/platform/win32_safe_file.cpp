// The safe file replace on Windows: the bytes go to a temporary file in the
// same folder written through to the disk, which then takes the old file's
// place with ReplaceFileW (keeping its attributes) or, for a new file,
// MoveFileExW.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/safe_file.h"
#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

FileWriteResult failed(DWORD error) { return {false, win32ErrorText(error)}; }

// A symbolic link is followed to the file it names.
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

bool writeAll(HANDLE f, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(f, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

FileWriteResult replaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) return failed(ERROR_INVALID_NAME);
    std::wstring target = widen(path);
    DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return failed(error);
    } else {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            target = finalTarget(target);
            attributes = GetFileAttributesW(target.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) return failed(GetLastError());
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {false, "it is a folder"};
        if (attributes & FILE_ATTRIBUTE_READONLY) return {false, "the file is read-only"};
    }

    static std::atomic<unsigned> serial{0};
    const std::wstring temp = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(serial++);
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (f == INVALID_HANDLE_VALUE) return failed(GetLastError());
    const bool written = writeAll(f, bytes) && FlushFileBuffers(f);
    const DWORD writeError = written ? 0 : GetLastError();
    CloseHandle(f);
    if (!written) {
        DeleteFileW(temp.c_str());
        return failed(writeError);
    }

    // ReplaceFileW keeps the old file's attributes, security and creation time;
    // where it cannot (some network file systems) a plain move does. Wine's
    // ReplaceFileW drops the attributes, so they are set again either way.
    if ((exists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                nullptr, nullptr)) ||
        MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (exists && GetFileAttributesW(target.c_str()) != attributes)
            SetFileAttributesW(target.c_str(), attributes);
        return {true, {}};
    }
    const DWORD error = GetLastError();
    DeleteFileW(temp.c_str());
    return failed(error);
}

}  // namespace appgen::platform
