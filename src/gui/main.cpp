// appgen: the desktop program. One terminal window over the real serial
// port, the system's clocks and the help document beside the program.
#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstring>

#include "gui/desktop.h"
#include "gui/russian_texts.h"
#include "platform/system_serial_port.h"
#include "platform/program_folder.h"
#include "platform/steady_tick_clock.h"
#include "platform/system_local_clock.h"
#include "shell/help_document.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("appgen (Генератор Приложений для DTR4610) Ver 1.13r\n");
        return 0;
    }
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("appgen"));
    QApplication::setApplicationVersion(QStringLiteral("1.13"));
    QApplication::setDesktopFileName(QStringLiteral("appgen"));
    QApplication::setWindowIcon(appgen::gui::programIcon());
    // Qt's own buttons and file dialogs speak Russian, as the program does.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const appgen::gui::RussianQtTexts russian;
    // The terminal window's own close ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    appgen::platform::SystemSerialPort port;
    appgen::platform::SteadyTickClock ticks;
    appgen::platform::SystemLocalClock clock;
    appgen::gui::Desktop desktop(
        {port, ticks, clock, appgen::shell::helpDocumentPath(appgen::platform::programFolder())});
    QObject::connect(&desktop.window(), &appgen::gui::MainWindow::finished, &qt, &QApplication::quit,
                     Qt::QueuedConnection);
    desktop.start();
    return QApplication::exec();
}
