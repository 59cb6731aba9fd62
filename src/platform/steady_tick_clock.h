// The tick clock on the system's monotonic clock: milliseconds that wrap at
// 2^32, and sleeps that give the processor away.
#pragma once

#include "link/tick_clock.h"

namespace appgen::platform {

class SteadyTickClock : public link::TickClock {
public:
    link::Tick now() override;
    void sleepFor(link::Tick ms) override;
};

}  // namespace appgen::platform
