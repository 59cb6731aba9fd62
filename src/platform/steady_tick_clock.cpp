#include "platform/steady_tick_clock.h"

#include <cerrno>
#include <ctime>

namespace appgen::platform {

link::Tick SteadyTickClock::now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const auto ms = static_cast<unsigned long long>(ts.tv_sec) * 1000ull +
                    static_cast<unsigned long long>(ts.tv_nsec) / 1000000ull;
    return static_cast<link::Tick>(ms);
}

void SteadyTickClock::sleepFor(link::Tick ms) {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace appgen::platform
