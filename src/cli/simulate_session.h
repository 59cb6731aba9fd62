// The simulator session lives in the shell, beside the script session that
// shares its clock and key tokens; the commands keep their names for it.
#pragma once

#include "shell/simulate_session.h"

namespace appgen::cli {
using shell::KeyToken;
using shell::parseKeyToken;
using shell::parseKeyTokens;
using shell::parseLocalDateTime;
using shell::SimulateSession;
using shell::simulatorStateJson;
using shell::VirtualLocalClock;
}  // namespace appgen::cli
