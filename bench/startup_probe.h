// Process start to first window on the X display, for gui_bench: starts a
// program and polls the display every 5 ms for a mapped top-level window
// that carries the program's process id, and then for that window drawn.
#pragma once

#include <optional>
#include <string>

namespace appgen::bench {

struct StartupTime {
    double wallMs = 0;  // from just before the start to the first poll that saw the window mapped
    double cpuMs = 0;   // processor time the program's threads had used by then
    double paintedMs = 0;     // to the first poll that saw the window drawn over most of its area
    double paintedCpuMs = 0;  // processor time by then
};

// Nothing when there is no display, the program would not start, or no
// window came and drew itself within `limitMs`. The program is ended afterwards. The
// processor time stays near its true value on a busy machine, where the wall
// time does not.
std::optional<StartupTime> timeToWindow(const std::string& program, int limitMs = 10000);

}  // namespace appgen::bench
