// Lookup data files as the download frames them: a line ends at CR, at CR LF
// or at a bare LF (files made on Linux), and a last line without an end is
// still a line.
#pragma once

#include <cstdint>
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
        const bool afterCr = afterCr_;
        afterCr_ = b == 0x0D;
        if (b == 0x0D) return done_ = true;
        if (b == 0x0A) return afterCr ? false : (done_ = true);  // CR LF ends one line
        line_.push_back(b);
        return false;
    }
    const std::vector<std::uint8_t>& line() const { return line_; }
    // After the last byte: whether an unended line is left over.
    bool hasRest() const { return !done_ && !line_.empty(); }

private:
    std::vector<std::uint8_t> line_;
    bool done_ = false;
    bool afterCr_ = false;
};

}  // namespace appgen::link
