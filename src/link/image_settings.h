// The settings bytes the terminal reads in its own codes: the editor stores
// 0-based list choices, the terminal expects 1-based codes, ASCII digits and an
// uppercase password. Only the image copy is re-coded, never the project.
#pragma once

#include "project/project.h"

namespace appgen::link {

WedgeSettings wedgeForTerminal(const WedgeSettings& w);
TerminalSettings terminalForTerminal(const TerminalSettings& t);

}  // namespace appgen::link
