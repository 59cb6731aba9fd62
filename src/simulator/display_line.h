// Editing one display line: 20 columns at most, and no write ever lands
// outside them.
#pragma once

#include <string>
#include <string_view>

namespace appgen::simulator {

inline constexpr int kLineWidth = 20;

// The line := text, cut at the display width.
inline void setLine(std::string& line, std::string_view text) {
    line.assign(text.substr(0, kLineWidth));
}

inline void appendToLine(std::string& line, std::string_view text) {
    if (line.size() >= static_cast<std::size_t>(kLineWidth)) return;
    line.append(text.substr(0, kLineWidth - line.size()));
}

// Pads with spaces to n columns (never past the width); a longer line stays.
inline void padLine(std::string& line, int n) {
    if (n > kLineWidth) n = kLineWidth;
    if (n > 0 && line.size() < static_cast<std::size_t>(n)) line.resize(static_cast<std::size_t>(n), ' ');
}

// Column col := ch, in place; a shorter line is padded with spaces first.
inline void putColumn(std::string& line, int col, char ch) {
    if (col < 0 || col >= kLineWidth) return;
    padLine(line, col);
    if (line.size() == static_cast<std::size_t>(col))
        line.push_back(ch);
    else
        line[static_cast<std::size_t>(col)] = ch;
}

// Column col := ch and the line ends after it.
inline void putColumnAndEnd(std::string& line, int col, char ch) {
    if (col < 0 || col >= kLineWidth) return;
    if (line.size() > static_cast<std::size_t>(col)) line.resize(static_cast<std::size_t>(col));
    putColumn(line, col, ch);
}

inline void dropLastColumn(std::string& line) {
    if (!line.empty()) line.pop_back();
}

// The part of text from offset on; empty when the offset is past its end.
inline std::string_view fromOffset(std::string_view text, int offset) {
    if (offset <= 0) return text;
    if (static_cast<std::size_t>(offset) >= text.size()) return {};
    return text.substr(static_cast<std::size_t>(offset));
}

}  // namespace appgen::simulator
