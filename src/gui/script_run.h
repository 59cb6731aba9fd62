// appgen --script FILE [--now YYYY-MM-DDTHH:MM:SS] [--out OUT]: the session
// appgen-cli script runs, with every dialog and the sheet a real Qt window.
// Prints the same lines (into OUT with --out) and exits as it does.
#pragma once

#include <string>
#include <vector>

namespace appgen::gui {

// `args`: the arguments after the program's name, UTF-8. Needs the
// QApplication made.
int runScriptWindows(const std::vector<std::string>& args);

}  // namespace appgen::gui
