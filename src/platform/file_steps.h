// Steps the file writers share, over the system's table of file operations.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_ops.h"

namespace appgen::platform {

std::string folderOf(const FileOps& ops, const std::string& path);  // "." when the path has none
std::string nameOf(const FileOps& ops, const std::string& path);
std::string joinPath(const FileOps& ops, const std::string& folder, const std::string& name);
// The file named `side` beside path: path with its last name replaced.
std::string besidePath(const FileOps& ops, const std::string& path, const std::string& side);

// 0 or the error of the first failing write; a write that takes nothing is a full disk.
int writeAll(const FileOps& ops, FileHandle f, const char* data, std::size_t size);

}  // namespace appgen::platform
