#include "gui/help_window.h"

#include <QFile>

namespace appgen::gui {

HelpWindow::HelpWindow() : QTextBrowser(nullptr) {
    setWindowTitle(QStringLiteral("Генератор Приложений — справка"));
    // The help must not keep the program running once the terminal is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setOpenExternalLinks(true);
    resize(640, 720);
}

bool HelpWindow::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setPlainText(QStringLiteral("Can't open the file!\n\n") + path);
        return false;
    }
    setMarkdown(QString::fromUtf8(file.readAll()));
    return true;
}

}  // namespace appgen::gui
