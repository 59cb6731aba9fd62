#include <windows.h>

#include "platform/system_local_clock.h"

namespace appgen::platform {

simulator::LocalDateTime SystemLocalClock::now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace appgen::platform
