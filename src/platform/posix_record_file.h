// The upload's output on POSIX, on a table of system calls that tests can
// make fail. A killed upload leaves its records in "<output>.partial", which
// the next upload to the same output names.
#pragma once

#include <string>

#include "link/record_output.h"
#include "platform/posix_file_ops.h"
#include "platform/posix_file_parts.h"

namespace appgen::platform {

class PosixRecordFile : public link::RecordOutput {
public:
    explicit PosixRecordFile(PosixFileOps ops = systemFileOps()) : ops_(std::move(ops)) {}
    ~PosixRecordFile() override;
    PosixRecordFile(const PosixRecordFile&) = delete;
    PosixRecordFile& operator=(const PosixRecordFile&) = delete;

    link::OutputStatus begin(const std::string& path) override;
    std::string leftover() const override { return leftover_; }
    link::OutputStatus append(std::span<const std::uint8_t> line) override;
    link::OutputStatus finish() override;
    std::string location() const override { return location_; }

private:
    void closeFile();

    PosixFileOps ops_;
    posix::Target target_;
    std::string partial_;   // empty: the records go straight into the target
    std::string leftover_;
    std::string location_;
    int fd_ = -1;
    off_t kept_ = 0;        // bytes of whole lines in the file
};

}  // namespace appgen::platform
