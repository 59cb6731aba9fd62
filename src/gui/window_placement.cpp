#include "gui/window_placement.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace appgen::gui {
namespace {

// What most window managers draw, in device pixels.
constexpr int kGuessedTitleBar = 32;
constexpr int kGuessedBorder = 4;

QMargins marginsOf(const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect client = w.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QScreen* screenOf(const QWidget* anchor) {
    if (anchor)
        if (QScreen* s = QGuiApplication::screenAt(anchor->frameGeometry().center())) return s;
    if (anchor && anchor->screen()) return anchor->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

QRect keepInside(const QRect& wanted, const QRect& available) {
    QRect r = wanted;
    if (r.right() > available.right()) r.moveRight(available.right());
    if (r.bottom() > available.bottom()) r.moveBottom(available.bottom());
    // Left and top last: a frame larger than the area shows its title bar.
    if (r.left() < available.left()) r.moveLeft(available.left());
    if (r.top() < available.top()) r.moveTop(available.top());
    return r;
}

QRect placeFrame(QSize frameSize, const QRect& anchor, const QRect& available) {
    QRect r(QPoint(0, 0), frameSize);
    r.moveCenter(anchor.center());
    return keepInside(r, available);
}

QMargins frameMargins(const QWidget& window) {
    if (const QWindow* handle = window.windowHandle()) {
        const QMargins own = handle->frameMargins();
        if (own.top() > 0) return own;
    }
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w == &window) continue;
        const QMargins m = marginsOf(*w);
        if (m.top() > 0) return m;
    }
    // A platform without a window manager draws no frames.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
    // The frame is drawn once the window is on the screen, and no window
    // there has one yet (the terminal has none): guess, so that the title bar
    // stays on the screen.
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const int border = int(std::ceil(kGuessedBorder / ratio));
    return {border, int(std::ceil(kGuessedTitleBar / ratio)), border, border};
}

void placeOver(QWidget& window, const QWidget* anchor) {
    // Sized as it will be shown: polished, its layout done, and its native
    // window made, which may know its frame already.
    window.ensurePolished();
    if (QLayout* layout = window.layout()) layout->activate();
    const QSize client = window.size().expandedTo(window.sizeHint());
    window.winId();
    const QMargins m = frameMargins(window);
    const QScreen* screen = screenOf(anchor);
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), client.grownBy(m));
    const QRect around = anchor ? anchor->frameGeometry() : available;
    const QRect placed = placeFrame(client.grownBy(m), around, available);
    // A window not yet shown is moved by its client area.
    window.move(placed.topLeft() + QPoint(m.left(), m.top()));
}

}  // namespace appgen::gui
