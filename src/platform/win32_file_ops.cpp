// The file operations on Windows: wide calls on "\\?\" paths, which escape
// MAX_PATH; paths travel as UTF-8 and are widened at each call.
#include <windows.h>

#include "platform/file_ops.h"
#include "platform/win32_text.h"

namespace appgen::platform {
namespace {

// A name within a folder: 255 UTF-16 units on NTFS, FAT and exFAT alike.
constexpr std::size_t kMaxNameUnits = 255;

constexpr std::wstring_view kLong = L"\\\\?\\";
constexpr std::wstring_view kLongUnc = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevice = L"\\\\.\\";

bool startsWith(std::wstring_view s, std::wstring_view prefix) { return s.substr(0, prefix.size()) == prefix; }

HANDLE handleOf(FileHandle f) { return reinterpret_cast<HANDLE>(f); }
FileHandle fileOf(HANDLE h) { return reinterpret_cast<FileHandle>(h); }
int lastError() { return static_cast<int>(GetLastError()); }
int result(BOOL ok) { return ok ? 0 : lastError(); }

// The UTF-8 path as the wide, absolute "\\?\" path.
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

// The path without its "\\?\" prefix, for the operator.
std::string shownPath(const std::wstring& path) {
    if (startsWith(path, kLongUnc)) return narrow(L"\\\\" + path.substr(kLongUnc.size()));
    if (startsWith(path, kLong)) return narrow(path.substr(kLong.size()));
    return narrow(path);
}

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

FileTarget resolve(const std::string& path) {
    FileTarget t;
    std::wstring wide = longPath(path);
    t.shown = path;
    if (startsWith(wide, kDevice)) {
        t.path = narrow(wide);
        t.exists = t.device = true;
        return t;
    }
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) t.error = static_cast<int>(error);  // else it will be made
        t.path = narrow(wide);
        return t;
    }
    t.exists = true;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        const std::wstring final = finalTarget(wide);
        if (final != wide) {
            wide = final;
            t.shown = shownPath(final);
            attributes = GetFileAttributesW(wide.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) t.error = lastError();
        }
    }
    t.path = narrow(wide);
    t.bits = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
    return t;
}

std::string refusal(const FileTarget& t) {
    if (t.error) return win32ErrorText(static_cast<DWORD>(t.error));
    if (!t.exists || t.device) return {};
    if (t.bits & FILE_ATTRIBUTE_DIRECTORY) return "It is a folder";
    if (t.bits & FILE_ATTRIBUTE_READONLY) return "The file is read-only";
    return {};
}

int checkFolder(const std::string& folder) {
    const DWORD attributes = GetFileAttributesW(widen(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastError();
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? 0 : ERROR_DIRECTORY;
}

// Whether a new file can be made in the folder: one that is gone again when
// its handle closes, even if the program is killed right here.
int probeFolder(const std::string&, const std::string& probe) {
    HANDLE f = CreateFileW(widen(probe).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (f == INVALID_HANDLE_VALUE) return lastError();
    CloseHandle(f);
    return 0;
}

// The attributes a new file may take from the one it replaces.
DWORD keptAttributes(DWORD old) {
    return old & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

int createNew(const std::string& path, const FileTarget& like, FileHandle& out) {
    const DWORD attributes = like.exists ? keptAttributes(like.bits) | FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_NORMAL;
    HANDLE f = CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, attributes,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return lastError();
    out = fileOf(f);
    return 0;
}

// Opened, not created anew: the output keeps its attributes.
int openTarget(const FileTarget& t, bool empty, FileHandle& out) {
    HANDLE f = CreateFileW(widen(t.path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           empty ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return lastError();
    if (empty && !t.device && !SetEndOfFile(f)) {
        const int error = lastError();
        CloseHandle(f);
        return error;
    }
    out = fileOf(f);
    return 0;
}

int write(FileHandle f, const char* data, std::size_t size, std::size_t& written) {
    const DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
    DWORD n = 0;
    if (!WriteFile(handleOf(f), data, chunk, &n, nullptr)) return lastError();
    written = n;
    return 0;
}

// NUL, a printer or a pipe has no disk to force.
int sync(FileHandle f) {
    if (GetFileType(handleOf(f)) != FILE_TYPE_DISK) return 0;
    return result(FlushFileBuffers(handleOf(f)));
}

int truncate(FileHandle f, std::uint64_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handleOf(f), at, nullptr, FILE_BEGIN)) return lastError();
    return result(SetEndOfFile(handleOf(f)));
}

// ReplaceFileW keeps the old file's attributes, security and creation time;
// where it cannot (some network file systems) a plain move does. Wine's
// ReplaceFileW drops the attributes, so they are set again either way.
int replace(const std::string& from, const FileTarget& to) {
    const std::wstring source = widen(from);
    const std::wstring target = widen(to.path);
    if (!(to.exists && ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                    nullptr, nullptr)) &&
        !MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    if (to.exists && GetFileAttributesW(target.c_str()) != to.bits) SetFileAttributesW(target.c_str(), to.bits);
    return 0;
}

FileFault fault(int error) {
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return FileFault::NameTaken;
    if (error == ERROR_ACCESS_DENIED) return FileFault::Denied;
    return FileFault::Other;
}

}  // namespace

FileOps systemFileOps() {
    FileOps ops;
    ops.resolve = resolve;
    ops.refusal = refusal;
    ops.checkFolder = checkFolder;
    ops.probeFolder = probeFolder;
    ops.exists = [](const std::string& p) { return GetFileAttributesW(widen(p).c_str()) != INVALID_FILE_ATTRIBUTES; };
    ops.nameMax = [](const std::string&) { return kMaxNameUnits; };
    ops.nameLength = [](const std::string& name) { return widen(name).size(); };
    ops.createNew = createNew;
    ops.openTarget = openTarget;
    ops.write = write;
    ops.sync = sync;
    ops.truncate = truncate;
    ops.close = [](FileHandle f) { return result(CloseHandle(handleOf(f))); };
    ops.replace = replace;
    ops.remove = [](const std::string& p) { return result(DeleteFileW(widen(p).c_str())); };
    ops.syncFolder = [](const std::string&) { return 0; };  // MOVEFILE_WRITE_THROUGH saw to it
    ops.reason = [](int error) { return win32ErrorText(static_cast<DWORD>(error)); };
    ops.fault = fault;
    ops.separators = "\\/";
    ops.noName = ERROR_INVALID_NAME;
    ops.nameTooLong = ERROR_FILENAME_EXCED_RANGE;
    ops.diskFull = ERROR_DISK_FULL;
    return ops;
}

}  // namespace appgen::platform
