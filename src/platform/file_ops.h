// The file operations through which the program's file writers (the safe
// replace and the upload's record file) reach the disk, in one table that
// each system fills once (posix_file_ops.cpp, win32_file_ops.cpp). The
// writers' policies are written once over it; tests swap single entries to
// make a write, a sync or a rename fail midway, on either system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace appgen::platform {

// A file descriptor or a HANDLE; kNoFile for none.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Where a path leads, looked at before anything is written.
struct FileTarget {
    std::string path;         // symbolic links followed; in the form the table's calls take
    std::string shown;        // the same for the operator
    bool exists = false;
    bool device = false;      // there and not a regular file (/dev/full, NUL, a printer): written in place
    std::uint32_t bits = 0;   // the permission bits (POSIX) or attributes (Win32) a replacement keeps
    std::uint32_t owner = 0;  // POSIX only: the owner and group a replacement keeps
    std::uint32_t group = 0;
    int error = 0;            // when the path could not be looked at
};

// Kinds of failure the writers act on; every other failure is told as it is.
enum class FileFault { Other, NameTaken, Denied };

// Every call returns 0 or the system's error code (errno, GetLastError).
struct FileOps {
    // Looking at paths.
    std::function<FileTarget(const std::string& path)> resolve;
    std::function<std::string(const FileTarget& t)> refusal;  // empty when t may be written
    std::function<int(const std::string& folder)> checkFolder;  // there and a folder
    // Whether a new file can be made in the folder (probe: the name it would take).
    std::function<int(const std::string& folder, const std::string& probe)> probeFolder;
    std::function<bool(const std::string& path)> exists;
    std::function<std::size_t(const std::string& folder)> nameMax;
    std::function<std::size_t(const std::string& name)> nameLength;  // in the units of nameMax

    // Writing.
    // A new file, never one that is there; it takes what `like` has to keep (mode, owner, attributes).
    std::function<int(const std::string& path, const FileTarget& like, FileHandle& out)> createNew;
    // The target itself; `empty` empties it (making it where it is not), else it must be there.
    std::function<int(const FileTarget& t, bool empty, FileHandle& out)> openTarget;
    std::function<int(FileHandle f, const char* data, std::size_t size, std::size_t& written)> write;
    // Forces the file to the disk; a device or pipe that has no disk is not an error.
    std::function<int(FileHandle f)> sync;
    std::function<int(FileHandle f, std::uint64_t size)> truncate;
    std::function<int(FileHandle f)> close;
    // Puts `from` at the target's path in one step, keeping what the target had to keep.
    std::function<int(const std::string& from, const FileTarget& to)> replace;
    std::function<int(const std::string& path)> remove;
    // Forces a folder's entries (after a replace) to the disk.
    std::function<int(const std::string& folder)> syncFolder;

    // The system's words and kinds for its error codes.
    std::function<std::string(int error)> reason;
    std::function<FileFault(int error)> fault;

    // Constants of the system.
    std::string separators;  // "/" or "\\/"; the first joins a folder and a name
    int noName = 0;          // the error of an empty path
    int nameTooLong = 0;
    int diskFull = 0;        // a write that takes nothing
};

// This system's own operations.
FileOps systemFileOps();

}  // namespace appgen::platform
