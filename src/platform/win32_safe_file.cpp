// The safe file replace on Windows: the bytes go to a temporary file in the
// same folder written through to the disk, which then takes the old file's
// place with ReplaceFileW (keeping its attributes) or, for a new file,
// MoveFileExW.
#include <windows.h>

#include <random>
#include <string>

#include "platform/safe_file.h"
#include "platform/side_file_names.h"
#include "platform/win32_file_parts.h"
#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

constexpr int kNameTries = 16;  // temporary names taken by others before we give up

FileWriteResult failed(DWORD error) { return {false, win32::reasonOf(error)}; }

// Where no new file can be made beside it (a folder that takes no new file,
// a device such as NUL), the file itself is overwritten: not atomic, but the
// only save there is.
FileWriteResult writeInPlace(const win32::Target& t, std::string_view bytes) {
    HANDLE f = CreateFileW(t.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_WRITE_THROUGH, nullptr);
    if (f == INVALID_HANDLE_VALUE) return failed(GetLastError());
    bool ok = win32::writeAll(win32::systemWrite(), f, bytes.data(), bytes.size());
    if (ok && !t.device) ok = SetEndOfFile(f) && FlushFileBuffers(f);
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(f);
    return ok ? FileWriteResult{true, {}} : failed(error);
}

}  // namespace

FileWriteResult replaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) return failed(ERROR_INVALID_NAME);
    const win32::Target t = win32::resolveTarget(path);
    if (const std::string why = win32::refusalOf(t); !why.empty()) return {false, why};
    if (t.device) return writeInPlace(t, bytes);

    const std::wstring folder = win32::folderOf(t.path);
    const std::wstring name = win32::nameOf(t.path);
    if (name.size() > win32::kMaxNameUnits) return failed(ERROR_FILENAME_EXCED_RANGE);

    // A UTF-8 byte count is never below the UTF-16 one: the name fits.
    std::random_device random;
    std::wstring temp;
    HANDLE f = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    for (int i = 0; i < kNameTries && f == INVALID_HANDLE_VALUE; ++i) {
        temp = folder + L"\\" + widen(temporaryName(narrow(name), win32::kMaxNameUnits, random()));
        f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        error = f == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    if (f == INVALID_HANDLE_VALUE) {
        if (t.exists && error == ERROR_ACCESS_DENIED) return writeInPlace(t, bytes);
        return failed(error);
    }
    const bool written = win32::writeAll(win32::systemWrite(), f, bytes.data(), bytes.size()) &&
                         FlushFileBuffers(f);
    error = written ? 0 : GetLastError();
    CloseHandle(f);
    if (!written) {
        DeleteFileW(temp.c_str());
        return failed(error);
    }

    // ReplaceFileW keeps the old file's attributes, security and creation time;
    // where it cannot (some network file systems) a plain move does. Wine's
    // ReplaceFileW drops the attributes, so they are set again either way.
    if ((t.exists && ReplaceFileW(t.path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                  nullptr, nullptr)) ||
        MoveFileExW(temp.c_str(), t.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (t.exists && GetFileAttributesW(t.path.c_str()) != t.attributes)
            SetFileAttributesW(t.path.c_str(), t.attributes);
        return {true, {}};
    }
    error = GetLastError();
    DeleteFileW(temp.c_str());
    return failed(error);
}

}  // namespace appgen::platform
