// Steps shared by the POSIX file writers (the safe save and the upload's
// record file): where a path really leads, whether it may be written, and
// writes that go on until every byte is with the system.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>

#include "platform/posix_file_ops.h"

namespace appgen::platform::posix {

struct Target {
    std::string path;     // symbolic links followed
    bool exists = false;
    struct stat st {};
    int error = 0;        // errno when the path could not be followed
};

// Follows symbolic links (a dangling one leads to the file it names, which
// a save then creates).
Target resolveTarget(const std::string& path);

// Empty when the target may be written; else why not. A file without any
// write permission bit is refused as read-only, also to root.
std::string refusalOf(const Target& t);

std::string folderOf(const std::string& path);  // "." when the path has none
std::string nameOf(const std::string& path);
std::size_t nameMax(const std::string& folder);

// 0 or the errno of the first failing write.
int writeAll(const PosixFileOps& ops, int fd, const char* data, std::size_t size);
// Forces the folder's entries (a rename) to the disk; 0 or errno.
int syncFolder(const std::string& folder);
// Gives a new file the old one's permission bits, and its owner where the
// process may.
void keepModeAndOwner(int fd, const Target& old);

std::string reasonOf(int error);

}  // namespace appgen::platform::posix
