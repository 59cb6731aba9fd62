#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>

#include "gui/command_menu.h"
#include "gui/pc_keyboard.h"
#include "gui/window_placement.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::simulator;
using namespace appgen::shell;

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

constexpr int kTimerMs = 100;

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    setFixedSize(200, 459);
    // At a large scale the screen may be too small for the start position.
    const QRect start(QPoint(300, 50), size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen ? keepInside(start, screen->availableGeometry()).topLeft() : start.topLeft());
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(keyboardHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = makeDisplayFont();
    rebuildArt();

    menu_ = new QMenu(this);
    fillCommandMenu(*menu_);
    menuRunner_ = [](QMenu& menu, QPoint at) { return menu.exec(at); };

    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), [this] { runCommand(kCmdNew); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { runCommand(kCmdOpen); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { runCommand(kCmdSave); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), [this] { runCommand(kCmdEdit); });
    // A borderless window gets no close from every desktop on Alt+F4.
    addShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
    // The help has no menu item; F1 is where an operator looks for it.
    addShortcut(QKeySequence(Qt::Key_F1), [this] { runCommand(kCmdHelpContents); });

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (app_ && transfers_.running()) app_->tickWhileTransferring();
        else if (app_) app_->tick();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::addShortcut(const QKeySequence& keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [action = std::move(action)] { action(); });
}

void MainWindow::attach(Application& app) {
    app_ = &app;
    mouse_ = std::make_unique<SimulatorWindow>(app.simulator(), *this);
    paintFull();
    timer_.start();
}

bool MainWindow::isTransfer(int id) {
    switch (id) {
        case kCmdDownloadDirect:
        case kCmdDownloadCradle:
        case kCmdLookupDirect:
        case kCmdLookupCradle:
        case kCmdUploadDirect:
        case kCmdUploadCradle: return true;
        default: return false;
    }
}

bool MainWindow::acceptsInput() const {
    return app_ && !app_->closed() && !app_->busy() && !transfers_.running();
}

void MainWindow::runCommand(int id) {
    if (!acceptsInput()) return;
    if (isTransfer(id)) {
        // Nothing else touches the application until the worker is done.
        Application& app = *app_;
        // The busy cursor tells why clicks on the terminal do nothing meanwhile.
        setCursor(Qt::BusyCursor);
        transfers_.run([&app, id] { app.command(id); });
        setCursor(Qt::ArrowCursor);
    } else {
        app_->command(id);
    }
    if (app_->closed()) close();
}

void MainWindow::rebuildArt() {
    art_ = std::make_unique<TerminalArt>(devicePixelRatioF());
    painter_ = std::make_unique<DisplayPainter>(*art_, font_);
    const qreal r = art_->devicePixelRatio();
    frame_ = QImage(QSize(int(std::ceil(200 * r)), int(std::ceil(459 * r))), QImage::Format_ARGB32_Premultiplied);
    frame_.setDevicePixelRatio(r);
    frame_.fill(Qt::white);
}

void MainWindow::paintFull() {
    QPainter p(&frame_);
    for (const PicturePlacement& place : fullRepaintPictures())
        p.drawImage(QPoint(place.at.x, place.at.y), art_->picture(place.picture));
    if (app_) painter_->paintDisplay(p, app_->simulator());
    dirtyDisplay_ = QRegion();
    update();
}

void MainWindow::paintDirtyDisplay() {
    if (dirtyDisplay_.isEmpty() || !app_) return;
    QPainter p(&frame_);
    p.setClipRegion(dirtyDisplay_);
    painter_->paintDisplay(p, app_->simulator());
    dirtyDisplay_ = QRegion();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    // A move to a screen of another density draws everything afresh.
    if (!qFuzzyCompare(art_->devicePixelRatio(), devicePixelRatioF())) {
        rebuildArt();
        paintFull();
    }
    paintDirtyDisplay();
    QPainter p(this);
    const QRect r = event->rect();
    const qreal ratio = frame_.devicePixelRatio();
    p.drawImage(QRectF(r), frame_, QRectF(r.left() * ratio, r.top() * ratio, r.width() * ratio, r.height() * ratio));
    ++framesPainted_;
}

void MainWindow::drawPicture(int picture, Point at) {
    QPainter p(&frame_);
    p.drawImage(QPoint(at.x, at.y), art_->picture(picture));
    update(QRect(QPoint(at.x, at.y), TerminalArt::pictureSize(picture)));
}

void MainWindow::repaint(DisplayArea area, int line) {
    if (!app_) return;
    const DisplayModel& d = app_->simulator().display();
    const QRect r = toQRect(displayAreaRect(area, line, d));
    switch (area) {
        case DisplayArea::ClockLine: {
            QPainter p(&frame_);
            painter_->paintClockLine(p, app_->simulator().clockLine());
            update(kClockCell);
            return;
        }
        case DisplayArea::PendingChar: {
            QPainter p(&frame_);
            painter_->paintPendingChar(p, d, app_->simulator().multiTap().pendingChar);
            break;
        }
        default: dirtyDisplay_ += r; break;  // drawn from the model when painted
    }
    update(r);
}

Rect MainWindow::windowOnScreen() {
    const QRect g = frameGeometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

// The window itself follows the mouse instead of an outline on the screen:
// drawing a frame moves the window there, and drawing it again to erase it
// changes nothing.
void MainWindow::drawDragOutline(const Rect& frame) { move(frame.left, frame.top); }

void MainWindow::moveWindow(const Rect& frame) {
    move(frame.left, frame.top);
    show();
}

void MainWindow::openCommandMenu(Point at) {
    QAction* action = menuRunner_(*menu_, mapToGlobal(QPoint(at.x, at.y)));
    if (const int id = commandOf(action)) chosen_ = id;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (!acceptsInput() || !mouse_) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        mouse_->rightButtonDown(pos.x(), pos.y());
        afterMouse();
        return;
    }
    if (event->button() != Qt::LeftButton || heldKey_) return;
    leftPress(pos);
}

void MainWindow::leftPress(QPoint pos) {
    leftDown_ = true;
    dragOrigin_ = frameGeometry().topLeft();
    const bool onKey = keyAt(pos.x(), pos.y()).code != 0;
    const int modalsBefore = modalCounter_ ? modalCounter_() : 0;
    mouse_->leftButtonDown(pos.x(), pos.y());
    // What the key posted (1010 when there is nothing to run) runs now that
    // the key has been handled, as a posted message would.
    if (onKey) app_->runPostedCommands();
    // A box or dialog opened by the key took the button's release with it.
    if (leftDown_ && modalCounter_ && modalCounter_() != modalsBefore) {
        leftDown_ = false;
        mouse_->leftButtonUp();
    }
    afterMouse();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!leftDown_ || !mouse_) return;
    // Relative to where the window was when the drag began, since the window
    // moves under the mouse meanwhile.
    const QPoint p = event->globalPosition().toPoint() - dragOrigin_;
    mouse_->mouseMove(p.x(), p.y());
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || heldKey_) return;
    leftRelease();
}

void MainWindow::leftRelease() {
    if (!leftDown_ || !mouse_) return;
    leftDown_ = false;
    mouse_->leftButtonUp();
    afterMouse();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int code = terminalKeyFor(event->key(), event->modifiers());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A held key repeats on the PC, never on the terminal.
    if (event->isAutoRepeat() || heldKey_ || leftDown_ || !acceptsInput() || !mouse_) return;
    heldKey_ = event->key();
    leftPress(clickPointOf(code));
    // A box that the key opened took its release.
    if (!leftDown_) heldKey_ = 0;
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || event->key() != heldKey_ || heldKey_ == 0) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    heldKey_ = 0;
    leftRelease();
}

// A key let go while another window had the keyboard is let go here.
void MainWindow::focusOutEvent(QFocusEvent* event) {
    if (heldKey_) {
        heldKey_ = 0;
        leftRelease();
    }
    QWidget::focusOutEvent(event);
}

void MainWindow::afterMouse() {
    if (chosen_) {
        const int id = *chosen_;
        chosen_.reset();
        runCommand(id);
    }
    if (app_ && app_->closed()) close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!app_ || app_->closed()) {
        event->accept();
    } else if (app_->busy() || transfers_.running() || !app_->requestClose()) {
        event->ignore();
        return;
    }
    timer_.stop();
    Q_EMIT finished();
}

}  // namespace appgen::gui
