#include "gui/desktop.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

namespace appgen::gui {

namespace {

// Title bars, task bars and window switchers show 16 to 64 pixels; the
// launchers take the installed scalable icon. Every size given here goes to
// the window system with each window, so larger ones only cost.
QIcon drawProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(QPen(QColor(0x16, 0x17, 0x19), 2));
        p.setBrush(QColor(0x34, 0x37, 0x3C));
        p.drawRoundedRect(QRectF(15, 2, 34, 60), 7, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xA9, 0xB8, 0x94));
        p.drawRect(QRectF(20, 8, 24, 18));
        p.setBrush(QColor(0x26, 0x30, 0x1F));
        p.drawRect(QRectF(22, 11, 20, 3));
        p.setBrush(QColor(0xD6, 0xD8, 0xDB));
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 3; ++col) p.drawRoundedRect(QRectF(20 + 8.5 * col, 32 + 7 * row, 6.5, 5), 1.5, 1.5);
        p.setBrush(QColor(0xF2, 0xC6, 0x4B));
        p.drawRect(QRectF(27, 3, 10, 2.5));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace

Desktop::Desktop(DesktopParts parts)
    : window_(),
      app_(shell::Environment{services_, parts.port, parts.ticks, parts.clock, window_, std::move(parts.helpFile),
                              parts.timings}) {
    services_.setOwner(&window_);
    services_.setCommandSink([this](int id) { window_.runCommand(id); });
    window_.setModalCounter([this] { return services_.modalsRun(); });
    // The program's own icon, where main() has not given it to every window.
    if (QGuiApplication::windowIcon().isNull()) window_.setWindowIcon(programIcon());
}

void Desktop::start() {
    app_.start();
    window_.attach(app_);
    window_.show();
}

QIcon programIcon() { return drawProgramIcon(); }

}  // namespace appgen::gui