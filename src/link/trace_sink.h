// Where a byte trace of the port goes: a file the operator can send to
// support after a failed transfer.
#pragma once

#include <string_view>

namespace appgen::link {

class TraceSink {
public:
    virtual ~TraceSink() = default;
    // Appends the text and hands it to the system at once, so the trace is
    // whole up to its last line however the program ends.
    virtual void append(std::string_view text) = 0;
};

}  // namespace appgen::link
