// The desktop program put together: the Qt services, the main window and
// the application over the port and clocks it is given. main() builds one
// over the real port and clocks; the tests and the benchmark over fakes.
#pragma once

#include <string>

#include "gui/main_window.h"
#include "gui/qt_services.h"
#include "shell/application.h"

namespace appgen::gui {

struct DesktopParts {
    link::SerialPort& port;
    link::TickClock& ticks;
    simulator::LocalClock& clock;
    std::string helpFile;
    link::LinkTimings timings{};
};

class Desktop {
public:
    explicit Desktop(DesktopParts parts);
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Both resets, the terminal's main screen, and the window on the screen.
    void start();

    MainWindow& window() { return window_; }
    QtServices& services() { return services_; }
    shell::Application& app() { return app_; }

private:
    QtServices services_;
    MainWindow window_;
    shell::Application app_;
};

// The program's icon, drawn like the terminal it stands for.
QIcon programIcon();

}  // namespace appgen::gui
