#include "gui/window_placement.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "ui/window_placement.h"

namespace appgen::gui {
namespace {

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

ui::ScreenRect toScreenRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }
QRect toQRect(const ui::ScreenRect& r) { return {r.x, r.y, r.width, r.height}; }

}  // namespace

QRect keepInside(const QRect& wanted, const QRect& available) {
    return toQRect(ui::keepInside(toScreenRect(wanted), toScreenRect(available)));
}

QRect placeFrame(QSize frameSize, const QRect& anchor, const QRect& available) {
    return toQRect(ui::placeFrame(frameSize.width(), frameSize.height(), toScreenRect(anchor), toScreenRect(available)));
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
    const ui::FrameMargins m = ui::guessedFrameMargins(screen ? screen->devicePixelRatio() : 1.0);
    return {m.left, m.top, m.right, m.bottom};
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
    // By its client area: move() takes the frame's corner once the frame is
    // known and the client's before, and adding the margins to the first
    // put the frame that much past the right and bottom edges.
    window.setGeometry(toQRect(ui::placeClient(client.width(), client.height(), {m.left(), m.top(), m.right(), m.bottom()},
                                               toScreenRect(around), toScreenRect(available))));
}

}  // namespace appgen::gui
