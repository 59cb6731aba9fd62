// The upload's output on Windows: each record is with the system (WriteFile)
// before its answer goes out; the records gather in "<output>.partial" beside
// the output, which takes the output's place when the upload ends. A killed
// upload leaves its records there, and the next upload to the same output
// names that file.
#pragma once

#include <windows.h>

#include <string>

#include "link/record_output.h"
#include "platform/win32_file_parts.h"

namespace appgen::platform {

class Win32RecordFile : public link::RecordOutput {
public:
    explicit Win32RecordFile(win32::WriteFn write = win32::systemWrite()) : write_(std::move(write)) {}
    ~Win32RecordFile() override;
    Win32RecordFile(const Win32RecordFile&) = delete;
    Win32RecordFile& operator=(const Win32RecordFile&) = delete;

    link::OutputStatus begin(const std::string& path) override;
    std::string leftover() const override { return leftover_; }
    link::OutputStatus append(std::span<const std::uint8_t> line) override;
    link::OutputStatus finish() override;
    std::string location() const override { return location_; }

private:
    void closeFile();
    std::string shown(const std::wstring& sidePath) const;

    win32::WriteFn write_;
    win32::Target target_;
    std::wstring partial_;  // empty: the records go straight into the target
    std::string leftover_;
    std::string location_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    LONGLONG kept_ = 0;     // bytes of whole lines in the file
};

}  // namespace appgen::platform
