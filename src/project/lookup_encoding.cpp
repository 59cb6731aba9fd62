#include "project/lookup_encoding.h"

#include <cstdio>

#include "project/text.h"
#include "project/utf8_text.h"

namespace appgen {

bool isUtf8LookupFile(std::string_view bytes) { return isUtf8BeyondAscii(bytes); }

LookupRecoding recodeUtf8Lookup(std::string_view utf8) {
    LookupRecoding r;
    if (utf8.starts_with(kUtf8Bom)) utf8.remove_prefix(kUtf8Bom.size());
    r.bytes.reserve(utf8.size());
    int line = 1;
    int column = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const char c = utf8[i];
        // CR LF, CR and LF each end a line, as the download splits them.
        if (c == '\r' || c == '\n') {
            if (c == '\n' || i + 1 >= utf8.size() || utf8[i + 1] != '\n') ++line, column = 0;
            r.bytes.push_back(c);
            ++i;
            continue;
        }
        ++column;
        const std::size_t n = utf8SequenceLength(utf8, i);
        char why[64];
        if (n == 0) {
            std::snprintf(why, sizeof why, "byte 0x%02X is not UTF-8", static_cast<unsigned char>(c));
            r.reason = why;
        } else if (unsigned char b = 0; unicodeToCp1251(utf8CodePoint(utf8, i, n), b)) {
            r.bytes.push_back(static_cast<char>(b));
            i += n;
            continue;
        } else {
            std::snprintf(why, sizeof why, "\" (U+%04X) has no Windows-1251 code",
                          static_cast<unsigned>(utf8CodePoint(utf8, i, n)));
            r.reason.assign(1, '"').append(utf8.substr(i, n)).append(why);
        }
        r.line = line;
        r.column = column;
        r.bytes.clear();
        return r;
    }
    return r;
}

std::string describe(const LookupRecoding& r) {
    return "line " + std::to_string(r.line) + ", column " + std::to_string(r.column) + ": " + r.reason;
}

}  // namespace appgen
