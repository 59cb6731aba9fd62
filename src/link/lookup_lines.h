// Lookup data files as the download frames them: a line ends at CR, line
// feeds are dropped, and a last line without CR is still a line.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <vector>

namespace appgen::link {

// Collects one line at a time from the file's bytes.
class LookupLineSplitter {
public:
    // True when b ended a line; the line is then in line() until the next call.
    bool feed(std::uint8_t b) {
        if (done_) {
            line_.clear();
            done_ = false;
        }
        if (b == 0x0D) return done_ = true;
        if (b != 0x0A) line_.push_back(b);
        return false;
    }
    const std::vector<std::uint8_t>& line() const { return line_; }
    // After the last byte: whether an unended line is left over.
    bool hasRest() const { return !done_ && !line_.empty(); }

private:
    std::vector<std::uint8_t> line_;
    bool done_ = false;
};

// The 1-based number of the first line longer than maxLen bytes, read from
// the stream's current position to its end.
std::optional<int> firstLineLongerThan(std::istream& in, std::size_t maxLen);

}  // namespace appgen::link
