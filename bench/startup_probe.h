// Process start to first window on the X display, for gui_bench: starts a
// program and polls the display every 5 ms for a mapped top-level window
// that carries the program's process id.
#pragma once

#include <optional>
#include <string>

namespace appgen::bench {

// Milliseconds from just before the program was started to the first poll
// that saw its window mapped; nothing when there is no display, the program
// would not start, or no window came within `limitMs`. The program is ended
// afterwards.
std::optional<double> millisecondsToWindow(const std::string& program, int limitMs = 10000);

}  // namespace appgen::bench
