// Names of the 256 byte values, as the character table shows them, and the
// bracketed text the prefix and suffix boxes show for a byte string.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace appgen::editor {

struct CharLabel {
    char text[6];  // "SOH", "Space", "A", "DEL", "255"; empty for code 0
    std::string_view view() const { return text; }
};

// Indexed by 16 * (low nibble) + (high nibble) of the byte: row first, as the
// table is laid out (a column per high nibble, a row per low nibble).
extern const std::array<CharLabel, 256> charLabels;

// The name of a byte value.
std::string_view charName(unsigned char byte);

// Appends "[" name "]" to `text` for each byte up to `max` bytes or the first
// NUL; returns the number of bytes taken.
int charTokens(const char* bytes, int max, std::string& text);
// The tokens of a 10-byte prefix or suffix slot.
std::string charTokenText(const char* bytes, int max = 10);

}  // namespace appgen::editor
