// A byte trace appended to a file, each piece handed to the system as it
// comes, so a trace stays whole when the program is killed mid-transfer.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "link/trace_sink.h"

namespace appgen::platform {

class TraceFile : public link::TraceSink {
public:
    // Opens path (UTF-8) for appending; error() says why when it could not.
    explicit TraceFile(const std::string& path);
    ~TraceFile() override;
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    const std::string& error() const { return error_; }
    void append(std::string_view text) override;

private:
    std::FILE* file_ = nullptr;
    std::string error_;
};

// The value of an environment variable as UTF-8, or nothing when unset or empty.
std::optional<std::string> environmentValue(const char* name);

}  // namespace appgen::platform
