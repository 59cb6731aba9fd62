#include "platform/file_steps.h"

namespace appgen::platform {

std::string folderOf(const FileOps& ops, const std::string& path) {
    const auto slash = path.find_last_of(ops.separators);
    if (slash == std::string::npos) return ".";
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

std::string nameOf(const FileOps& ops, const std::string& path) {
    const auto slash = path.find_last_of(ops.separators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string joinPath(const FileOps& ops, const std::string& folder, const std::string& name) {
    return folder + ops.separators[0] + name;
}

std::string besidePath(const FileOps& ops, const std::string& path, const std::string& side) {
    return path.substr(0, path.size() - nameOf(ops, path).size()) + side;
}

int writeAll(const FileOps& ops, FileHandle f, const char* data, std::size_t size) {
    while (size > 0) {
        std::size_t written = 0;
        if (const int error = ops.write(f, data, size, written)) return error;
        if (written == 0) return ops.diskFull;
        data += written;
        size -= written;
    }
    return 0;
}

}  // namespace appgen::platform
