#include "gui/help_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

#include "gui/window_placement.h"

namespace appgen::gui {

HelpWindow::HelpWindow() : QTextBrowser(nullptr) {
    setWindowTitle(QStringLiteral("Генератор Приложений — справка"));
    // The help must not keep the program running once the terminal is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setOpenExternalLinks(true);
    // Closed as a reader closes a document: Esc, or Ctrl+W.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    // A page of text, but never taller or wider than the screen leaves room for.
    QSize size(640, 720);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QMargins m = frameMargins(*this);
        const QSize room = screen->availableGeometry().size().shrunkBy(m);
        size = size.boundedTo(room);
    }
    resize(size);
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
