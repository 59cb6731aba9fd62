// Writing a whole file so that a failure never leaves it half written: the
// bytes go to a temporary file beside it, reach the disk, and take its place.
// Every file the program writes (projects, images, uploaded records, the port
// map) goes through here.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_ops.h"

namespace appgen::platform {

struct FileWriteResult {
    bool ok = false;
    std::string reason;  // when it failed: the system's words ("No space left on device")
};

// Replaces (or creates) the file at path with bytes. A symbolic link is
// followed to its target; the old file's permission bits are kept; a
// read-only file is refused; on any failure the old file is left as it was
// and no temporary file remains.
FileWriteResult replaceFile(const std::string& path, std::string_view bytes);
// The same on the given operations (tests make them fail).
FileWriteResult replaceFileWith(const FileOps& ops, const std::string& path, std::string_view bytes);

}  // namespace appgen::platform
