// The millisecond tick counter that times every wait of the terminal link.
// Ticks wrap at 2^32; differences are taken as unsigned 32-bit values, so a
// wait that spans the wrap still measures right.
#pragma once

#include <cstdint>

namespace appgen::link {

using Tick = std::uint32_t;

class TickClock {
public:
    virtual ~TickClock() = default;
    virtual Tick now() = 0;
    // Gives up the processor for about ms milliseconds (a virtual clock just
    // moves on); callers measure the time that really passed with now().
    virtual void sleepFor(Tick ms) = 0;
};

inline Tick elapsedSince(TickClock& clock, Tick start) { return clock.now() - start; }

// Returns once at least ms milliseconds have passed on the clock since the call.
inline void waitAtLeast(TickClock& clock, Tick ms) {
    const Tick start = clock.now();
    for (Tick e = 0; (e = elapsedSince(clock, start)) < ms;) clock.sleepFor(ms - e);
}

}  // namespace appgen::link
