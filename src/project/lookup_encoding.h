// Lookup data files saved in UTF-8, as editors on Linux save them, while the
// terminal reads Windows-1251: sent byte for byte, every Cyrillic letter would
// arrive garbled. They are recognised before anything is sent and converted
// on request.
#pragma once

#include <string>
#include <string_view>

namespace appgen {

// True for a file that is well-formed UTF-8 with characters beyond ASCII.
bool isUtf8LookupFile(std::string_view bytes);

struct LookupRecoding {
    std::string bytes;  // the file in Windows-1251, its line ends as they were
    // Refused: the first character without a Windows-1251 code, on a line
    // counted as the download counts them and a column counted in characters.
    int line = 0;
    int column = 0;
    std::string reason;

    bool ok() const { return reason.empty(); }
};

// Converts the file character by character; a leading byte order mark is dropped.
LookupRecoding recodeUtf8Lookup(std::string_view utf8);

// "line 3, column 7: ..." for a refusal.
std::string describe(const LookupRecoding& r);

}  // namespace appgen
