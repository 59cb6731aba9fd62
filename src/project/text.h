// Windows-1251 text: the terminal's and the project file's single-byte code page,
// and fixed slots that hold NUL-terminated strings without ever running past.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace appgen {

// One byte to its Unicode code point (0x98, unassigned, maps to U+0098).
char32_t cp1251ToUnicode(unsigned char byte);
// A code point to its byte; false when Windows-1251 has no code for it.
bool unicodeToCp1251(char32_t cp, unsigned char& byte);

std::string cp1251ToUtf8(std::string_view bytes);
// Characters with no Windows-1251 code, and malformed UTF-8, become '?'.
std::string utf8ToCp1251(std::string_view utf8);

// Text of a slot: up to the first NUL, or the whole slot when it has none.
std::string_view slotText(const char* slot, std::size_t size);
template <std::size_t N>
std::string_view slotText(const char (&slot)[N]) {
    return slotText(slot, N);
}

// Writes text into a slot with its NUL, cut to size-1 bytes; the bytes after the
// terminator are kept as they were.
void setSlotText(char* slot, std::size_t size, std::string_view text);
template <std::size_t N>
void setSlotText(char (&slot)[N], std::string_view text) {
    setSlotText(slot, N, text);
}

// As setSlotText, but the text may fill the whole slot with no terminator
// (prefix, suffix and code-prefix slots).
void setSlotBytes(char* slot, std::size_t size, std::string_view text);
template <std::size_t N>
void setSlotBytes(char (&slot)[N], std::string_view text) {
    setSlotBytes(slot, N, text);
}

// Length of the text in a slot, stopping at the slot's end.
std::size_t slotLength(const char* slot, std::size_t size);
template <std::size_t N>
std::size_t slotLength(const char (&slot)[N]) {
    return slotLength(slot, N);
}

}  // namespace appgen
