#include "platform/system_local_clock.h"

#include <ctime>

namespace appgen::platform {

simulator::LocalDateTime SystemLocalClock::now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&t, &local)) return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace appgen::platform
