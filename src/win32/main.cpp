// appgen.exe: the desktop program on Windows, a thin front end over the same
// core as the Qt program: the terminal window, the dialogs and the editor
// sheet as Win32 windows. With --script it runs a session script through its
// real windows instead.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/program_folder.h"
#include "platform/steady_tick_clock.h"
#include "platform/system_local_clock.h"
#include "shell/application.h"
#include "shell/help_document.h"
#include "shell/traced_system_port.h"
#include "win32/common_controls.h"
#include "win32/main_window.h"
#include "win32/script_run.h"
#include "win32/wide_text.h"
#include "win32/win32_services.h"

namespace {

std::vector<std::string> arguments() {
    std::vector<std::string> out;
    int n = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 1; i < n; ++i) out.push_back(appgen::win32::utf8FromWide(wide[i]));
        LocalFree(wide);
    }
    return out;
}

// `project`: a file to open at once (empty for none).
int runDesktop(int show, const std::string& project) {
    using namespace appgen;
    shell::DesktopSerialPort port;  // traced to APPGEN_TRACE when it names a file
    platform::SteadyTickClock ticks;
    platform::SystemLocalClock clock;
    win32::Win32Services services;
    win32::MainWindow window(services);
    shell::Application app(shell::Environment{services, port, ticks, clock, window,
                                              shell::helpDocumentPath(platform::programFolder())});
    app.start();
    window.attach(app, show);
    if (!project.empty()) {
        services.answerNextOpen(project);
        services.postCommand(shell::kCmdOpen);
    }
    return window.run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const std::vector<std::string> args = arguments();
    // Output, when there is somewhere for it to go, is UTF-8 with LF line ends.
    appgen::platform::useUtf8Console();
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("appgen (Генератор Приложений для DTR4610) Ver 1.13r\n");
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    appgen::win32::Win32Services::registerClasses(instance);
    appgen::win32::MainWindow::registerClass(instance);
    if (!args.empty() && args[0] == "--script") return appgen::win32::runScriptWindows(args);
    // "appgen.exe FILE.TGP", as Explorer starts it for a project.
    std::string project;
    if (args.size() == 1 && args[0].rfind("--", 0) != 0) project = args[0];
    return runDesktop(show, project);
}
