// The upload's output on this system's files: the records go to a partial
// file beside the output as they arrive, each forced to the disk before it
// is acknowledged, and take the output's place when the upload ends. A
// killed upload leaves its records in "<output>.partial", which the next
// upload to the same output names. Where no new file can be made beside the
// output, the records go straight into it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/record_output.h"
#include "platform/file_ops.h"

namespace appgen::platform {

class RecordFile : public link::RecordOutput {
public:
    explicit RecordFile(FileOps ops = systemFileOps()) : ops_(std::move(ops)) {}
    ~RecordFile() override;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    link::OutputStatus begin(const std::string& path) override;
    std::string leftover() const override { return leftover_; }
    link::OutputStatus append(std::span<const std::uint8_t> line) override;
    link::OutputStatus finish() override;
    std::string location() const override { return location_; }

private:
    link::OutputStatus failed(int error) const { return {false, ops_.reason(error)}; }
    void closeFile();
    std::string shown(const std::string& side) const;  // a file beside the output, for the operator

    FileOps ops_;
    FileTarget target_;
    std::string partial_;   // empty: the records go straight into the target
    std::string leftover_;
    std::string location_;
    FileHandle file_ = kNoFile;
    std::uint64_t kept_ = 0;  // bytes of whole lines in the file
};

std::unique_ptr<link::RecordOutput> makeRecordFile();

}  // namespace appgen::platform
