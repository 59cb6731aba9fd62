// appgen --script FILE [--now YYYY-MM-DDTHH:MM:SS] [--out OUT]: the session
// appgen-cli script runs, with every dialog and the sheet a real window of
// the desktop program. Prints the same lines (into OUT with --out) and exits
// as it does. Each desktop program hands in its windows; the rest is here.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/headless_services.h"

namespace appgen::shell {

using ScriptWindowsFactory = std::function<std::unique_ptr<ui::HeadlessServices>()>;

// `args`: the arguments after the program's name, UTF-8, starting with
// --script. The windows are made once the arguments and the files are good.
int runDesktopScript(const std::vector<std::string>& args, const ScriptWindowsFactory& makeWindows);

}  // namespace appgen::shell
