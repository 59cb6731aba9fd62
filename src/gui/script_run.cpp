#include "gui/script_run.h"

#include "gui/script_windows.h"
#include "shell/desktop_script.h"

namespace appgen::gui {

int runScriptWindows(const std::vector<std::string>& args) {
    return shell::runDesktopScript(args, [] { return std::make_unique<ScriptWindows>(); });
}

}  // namespace appgen::gui
