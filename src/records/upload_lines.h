// The records of an upload's file: Windows-1251 bytes, one record a line. A
// line ends with CR LF, a bare LF or the end of the file; a bare CR is part of
// the record (a suffix may be one). Empty lines hold no record but count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace appgen::records {

struct RecordLine {
    std::uint32_t file = 0;  // index of the file among those read
    std::uint32_t line = 0;  // 1-based line of the file
    std::size_t offset = 0;  // the record's bytes within the file
    std::size_t length = 0;
};

// Appends the records of one file's bytes to `out`.
void readRecordLines(std::string_view bytes, std::uint32_t file, std::vector<RecordLine>& out);

}  // namespace appgen::records
