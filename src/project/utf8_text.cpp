#include "project/utf8_text.h"

namespace appgen {

std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return 1;
    std::size_t n = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) n = 2, min = 0x80;
    else if (b0 >= 0xE0 && b0 <= 0xEF) n = 3, min = 0x800;
    else if (b0 >= 0xF0 && b0 <= 0xF4) n = 4, min = 0x10000;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    const char32_t cp = utf8CodePoint(s, i, n);
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

char32_t utf8CodePoint(std::string_view s, std::size_t i, std::size_t length) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (length == 1) return b0;
    char32_t cp = b0 & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

bool isUtf8BeyondAscii(std::string_view s) {
    bool beyond = false;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) return false;
        beyond = beyond || n > 1;
        i += n;
    }
    return beyond;
}

}  // namespace appgen
