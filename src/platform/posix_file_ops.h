// The system calls through which the POSIX file writers reach the disk, in
// one table: the program uses the real ones, and tests swap single entries
// to make a write fail midway or a rename fail.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/safe_file.h"

namespace appgen::platform {

struct PosixFileOps {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd, off_t length)> ftruncate;
    std::function<int(const char* from, const char* to)> rename;
    std::function<int(const char* path)> unlink;
    std::function<int(int fd)> close;
};

// The operating system's own calls.
PosixFileOps systemFileOps();

// replaceFile on the given operations.
FileWriteResult replaceFileWith(const PosixFileOps& ops, const std::string& path,
                                std::string_view bytes);

}  // namespace appgen::platform
