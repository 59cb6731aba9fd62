// appgen: the desktop program. One terminal window over the real serial
// port, the system's clocks and the help document beside the program. With
// --script it runs a session script through its dialogs and sheet as Qt
// windows instead.
#include <QApplication>
#include <QLocale>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gui/desktop.h"
#include "gui/russian_texts.h"
#include "gui/script_run.h"
#include "platform/program_folder.h"
#include "platform/steady_tick_clock.h"
#include "platform/system_local_clock.h"
#include "shell/help_document.h"
#include "shell/traced_system_port.h"

#include "appgen_version.h"

namespace {

// A script's stderr holds the session's errors only, not Qt's notes about
// the platform (the offscreen one has many).
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("appgen (Генератор Приложений для DTR4610) " APPGEN_VERSION_TEXT "\n");
        return 0;
    }
    const bool script = argc > 1 && std::strcmp(argv[1], "--script") == 0;
    if (script) qInstallMessageHandler(quietQt);
    QApplication qt(argc, argv);
    // Qt takes the system's locale for the C library too; numbers written to
    // files (workbook cells) keep their decimal point whatever the system's is.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("appgen"));
    QApplication::setApplicationVersion(QStringLiteral(APPGEN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("appgen"));
    QApplication::setWindowIcon(appgen::gui::programIcon());
    // Qt's own buttons and file dialogs speak Russian, as the program does.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const appgen::gui::RussianQtTexts russian;
    // The terminal window's own close ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    if (script) {
        std::vector<std::string> args;
        for (const QString& a : QApplication::arguments().mid(1)) args.push_back(a.toStdString());
        return appgen::gui::runScriptWindows(args);
    }

    // Every byte to the file APPGEN_TRACE names, for support.
    appgen::shell::DesktopSerialPort port;
    appgen::platform::SteadyTickClock ticks;
    appgen::platform::SystemLocalClock clock;
    appgen::gui::Desktop desktop(
        {port, ticks, clock, appgen::shell::helpDocumentPath(appgen::platform::programFolder())});
    QObject::connect(&desktop.window(), &appgen::gui::MainWindow::finished, &qt, &QApplication::quit,
                     Qt::QueuedConnection);
    desktop.start();
    return QApplication::exec();
}
