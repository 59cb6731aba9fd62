// Project files: the record written block after block (18942 bytes, tag
// "4610-1.00"), and the older M40 files (10510 bytes) read and converted.
#pragma once

#include <cstddef>
#include <string>

#include "project/project.h"

namespace appgen {

enum class ReadStatus {
    Ok,
    Short,           // loaded, but the file ended before its last block
    CannotOpen,      // missing, unreadable or not a regular file
    FormatMismatch,  // no known tag: "Format mismatch !!!"
};

struct ReadResult {
    ReadStatus status = ReadStatus::CannotOpen;
    bool converted = false;  // an older M40 file was converted
};

inline bool loaded(const ReadResult& r) {
    return r.status == ReadStatus::Ok || r.status == ReadStatus::Short;
}

// Reads either format into p, which the caller has reset (both resets).
ReadResult readProjectFile(const std::string& path, Project& p);
// Reads from bytes in memory, as readProjectFile does from a file.
ReadResult readProjectBytes(const unsigned char* data, std::size_t size, Project& p);

// The file image of the record: every block in order and 100 zero bytes.
// The front ends write it with the platform's safe save.
std::string projectFileImage(const Project& p);

// The tag test: 2 for the current format, 1 for an older M40 file, 0 otherwise.
int projectFormat(const unsigned char* data, std::size_t size);

}  // namespace appgen
