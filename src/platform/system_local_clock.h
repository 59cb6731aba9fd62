// The PC's local date and time, for the simulator's clock line and stamps.
#pragma once

#include "simulator/sim_interfaces.h"

namespace appgen::platform {

class SystemLocalClock : public simulator::LocalClock {
public:
    simulator::LocalDateTime now() override;
};

}  // namespace appgen::platform
