#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/trace_file.h"

namespace appgen::platform {

TraceFile::TraceFile(const std::string& path) : file_(std::fopen(path.c_str(), "ab")) {
    if (!file_) error_ = path + ": " + std::strerror(errno);
}

TraceFile::~TraceFile() {
    if (file_) std::fclose(file_);
}

void TraceFile::append(std::string_view text) {
    if (!file_) return;
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
}

std::optional<std::string> environmentValue(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

}  // namespace appgen::platform
