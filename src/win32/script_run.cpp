#include "win32/script_run.h"

#include "win32/script_windows.h"
#include "shell/desktop_script.h"

namespace appgen::win32 {

int runScriptWindows(const std::vector<std::string>& args) {
    return shell::runDesktopScript(args, [] { return std::make_unique<ScriptWindows>(); });
}

}  // namespace appgen::win32
