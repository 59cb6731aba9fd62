// The script session lives in the shell, where the desktop programs run
// scripts through their real windows too; appgen-cli script keeps its name.
#pragma once

#include "cli/simulate_session.h"
#include "shell/script_session.h"

namespace appgen::cli {
using shell::ScriptSession;
}  // namespace appgen::cli
