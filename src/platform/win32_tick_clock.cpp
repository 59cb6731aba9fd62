// The tick clock on Windows: the system's millisecond tick count, cut to the
// link's 32 bits, and sleeps that give the processor away.
#include <windows.h>

#include "platform/steady_tick_clock.h"

namespace appgen::platform {

link::Tick SteadyTickClock::now() { return static_cast<link::Tick>(GetTickCount64()); }

void SteadyTickClock::sleepFor(link::Tick ms) { Sleep(ms); }

}  // namespace appgen::platform
