// Reads a command's arguments one at a time: options, the values they take,
// and the words between them. A missing value or one a command refuses makes
// the reading bad, which ends it; the command then prints its usage.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "cli/commands.h"

namespace appgen::cli {

class OptionReader {
public:
    explicit OptionReader(const Args& args) : args_(args) {}

    // Steps to the next argument; false at the end, or once the reading is bad.
    bool next();
    const std::string& arg() const { return args_[i_ - 1]; }
    // The value that follows the option; nothing (and the reading bad) when
    // the arguments end there.
    const std::string* value();
    void refuse() { bad_ = true; }
    bool bad() const { return bad_; }

private:
    const Args& args_;
    std::size_t i_ = 0;  // one past arg()
    bool bad_ = false;
};

// The CSV field delimiter an option names: one character (not a quote or a
// line end), or "tab" (also written \t).
std::optional<char> delimiterOption(const std::string& value);

}  // namespace appgen::cli
