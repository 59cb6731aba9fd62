// Where an upload's records go. The terminal may delete a record once it is
// acknowledged, so each record is on the disk before its answer goes out: a
// record acknowledged is a record kept, whatever happens to the program or
// the power afterwards.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace appgen::link {

struct OutputStatus {
    bool ok = true;
    std::string reason;  // when it failed: the system's words ("No space left on device")
};

class RecordOutput {
public:
    virtual ~RecordOutput() = default;
    // Before the port opens: whether records can be written for path. Creates
    // nothing: an upload that brings no record leaves the disk as it was.
    virtual OutputStatus begin(const std::string& path) = 0;
    // A file with the records of an earlier upload to the same path that never
    // ended (the program was killed), found by begin(); empty when none.
    virtual std::string leftover() const = 0;
    // One record's line (its bytes, CR LF), forced to the disk. When it
    // fails, nothing of the line stays and the lines before it are whole.
    virtual OutputStatus append(std::span<const std::uint8_t> line) = 0;
    // Forces the records to the disk and puts them at the path; nothing to
    // do when no record came.
    virtual OutputStatus finish() = 0;
    // Where the records are now: the path, or the file beside it that holds
    // them when finish() could not put them in place.
    virtual std::string location() const = 0;
};

}  // namespace appgen::link
