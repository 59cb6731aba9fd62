#include "records/upload_lines.h"

#include <cstring>

namespace appgen::records {

void readRecordLines(std::string_view bytes, std::uint32_t file, std::vector<RecordLine>& out) {
    std::uint32_t line = 0;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    while (start < n) {
        ++line;
        const void* lf = std::memchr(bytes.data() + start, '\n', n - start);
        const std::size_t end =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) : n;
        std::size_t stop = end;
        if (lf && stop > start && bytes[stop - 1] == '\r') --stop;
        if (stop > start) out.push_back({file, line, start, stop - start});
        start = end + 1;
    }
}

}  // namespace appgen::records
