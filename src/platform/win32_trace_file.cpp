#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/trace_file.h"
#include "platform/win32_text.h"

namespace appgen::platform {

// The wide open takes the name as the system keeps it; the narrow one would
// read it in the ANSI code page.
TraceFile::TraceFile(const std::string& path) : file_(_wfopen(widen(path).c_str(), L"ab")) {
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
    const wchar_t* v = _wgetenv(widen(name).c_str());
    if (!v || !*v) return std::nullopt;
    return narrow(v);
}

}  // namespace appgen::platform
