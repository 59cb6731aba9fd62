// Steps shared by the Win32 file writers (the safe save and the upload's
// record file): paths the system takes at any length, where a path really
// leads, whether it may be written, and writes that go on until every byte
// is with the system.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

namespace appgen::platform::win32 {

// A name within a folder: 255 UTF-16 units on NTFS, FAT and exFAT alike.
constexpr std::size_t kMaxNameUnits = 255;

struct Target {
    std::wstring path;      // absolute, "\\?\" form for files, "\\.\" for devices; links followed
    std::string shown;      // the same for the operator: as given when no link was followed
    bool exists = false;
    bool device = false;    // NUL, a printer port: written in place
    DWORD attributes = 0;
    DWORD error = 0;        // when the path could not be looked at
};

// The UTF-8 path as the wide, absolute "\\?\" path that escapes MAX_PATH.
std::wstring longPath(const std::string& path);
// The path without its "\\?\" prefix, in UTF-8.
std::string shownPath(const std::wstring& path);

Target resolveTarget(const std::string& path);
// Empty when the target may be written; else why not.
std::string refusalOf(const Target& t);

std::wstring folderOf(const std::wstring& path);
std::wstring nameOf(const std::wstring& path);
bool exists(const std::wstring& path);

// WriteFile, or the tests' stand-in that fails midway.
using WriteFn = std::function<BOOL(HANDLE f, const void* data, DWORD size, DWORD* written)>;
WriteFn systemWrite();
// False with the reason in GetLastError; a write that takes nothing is a full disk.
bool writeAll(const WriteFn& write, HANDLE f, const char* data, std::size_t size);

// The attributes a new file may take from the one it replaces.
DWORD keptAttributes(DWORD old);

std::string reasonOf(DWORD error);

}  // namespace appgen::platform::win32
