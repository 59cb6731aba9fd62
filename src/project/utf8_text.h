// Telling UTF-8 text from Windows-1251 text. Cyrillic in Windows-1251 seldom
// forms well-formed UTF-8 sequences, so a text that is well-formed UTF-8 and
// holds characters beyond ASCII was almost surely saved in UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace appgen {

// Length of the well-formed UTF-8 sequence at s[i] (overlong forms and
// surrogates are not), or 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i);
// The code point of the well-formed sequence of `length` bytes at s[i].
char32_t utf8CodePoint(std::string_view s, std::size_t i, std::size_t length);

bool isValidUtf8(std::string_view s);
// Well-formed UTF-8 with at least one character beyond ASCII.
bool isUtf8BeyondAscii(std::string_view s);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace appgen
