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
#include "simulator/terminal_layout.h"

namespace appgen::gui {
namespace {

using namespace appgen::simulator;
using namespace appgen::shell;

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

constexpr int kTimerMs = 100;

}  // namespace

MainWindow::MainWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    setFixedSize(kTerminalWidth, kTerminalHeight);
    // At a large scale the screen may be too small for the start position.
    const QRect start(QPoint(kTerminalStart.x, kTerminalStart.y), size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    move(screen ? keepInside(start, screen->availableGeometry()).topLeft() : start.topLeft());
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(keyboardHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
    rebuildArt();

    menuRunner_ = [](QMenu& menu, QPoint at) { return menu.exec(at); };

    for (const Accelerator& a : terminalAccelerators()) {
        const int id = a.command;
        if (id == kCloseWindow) addShortcut(keySequenceOf(a), [this] { close(); });
        else addShortcut(keySequenceOf(a), [this, id] { runCommand(id); });
    }

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (input_) input_->timer();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::addShortcut(const QKeySequence& keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [action = std::move(action)] { action(); });
}

void MainWindow::attach(Application& app) {
    app_ = &app;
    input_ = std::make_unique<TerminalInput>(app, *this, static_cast<InputHost&>(*this));
    framePending_ = true;
    update();
    timer_.start();
}

void MainWindow::runCommand(int id) {
    if (input_) input_->command(id);
}

void MainWindow::rebuildArt() {
    art_ = std::make_unique<TerminalArt>(devicePixelRatioF());
    painter_ = std::make_unique<DisplayPainter>(*art_, font_);
    const qreal r = art_->devicePixelRatio();
    frame_ = QImage(QSize(int(std::ceil(kTerminalWidth * r)), int(std::ceil(kTerminalHeight * r))),
                    QImage::Format_ARGB32_Premultiplied);
    frame_.setDevicePixelRatio(r);
    frame_.fill(Qt::white);
    framePending_ = true;
}

void MainWindow::ensureFrame() {
    if (framePending_) paintFull();
}

void MainWindow::paintFull() {
    if (!fontMade_) {
        font_ = makeDisplayFont();
        fontMade_ = true;
    }
    framePending_ = false;
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
    if (!qFuzzyCompare(art_->devicePixelRatio(), devicePixelRatioF())) rebuildArt();
    ensureFrame();
    paintDirtyDisplay();
    QPainter p(this);
    const QRect r = event->rect();
    const qreal ratio = frame_.devicePixelRatio();
    p.drawImage(QRectF(r), frame_, QRectF(r.left() * ratio, r.top() * ratio, r.width() * ratio, r.height() * ratio));
    ++framesPainted_;
}

void MainWindow::drawPicture(int picture, Point at) {
    ensureFrame();
    QPainter p(&frame_);
    p.drawImage(QPoint(at.x, at.y), art_->picture(picture));
    update(QRect(QPoint(at.x, at.y), TerminalArt::pictureSize(picture)));
}

void MainWindow::repaint(DisplayArea area, int line) {
    if (!app_) return;
    const DisplayModel& d = app_->simulator().display();
    const QRect r = toQRect(displayAreaRect(area, line, d));
    ensureFrame();
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
    // Made when first opened: the first window does not need it.
    if (!menu_) {
        menu_ = new QMenu(this);
        fillCommandMenu(*menu_);
    }
    QAction* action = menuRunner_(*menu_, mapToGlobal(QPoint(at.x, at.y)));
    if (input_) input_->menuChosen(commandOf(action));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (!input_) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) input_->rightPress({pos.x(), pos.y()});
    else if (event->button() == Qt::LeftButton) input_->leftPress({pos.x(), pos.y()});
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->globalPosition().toPoint();
    if (input_) input_->mouseMove({p.x(), p.y()});
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && input_) input_->leftRelease();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!input_ || !input_->keyPress(pcKeyOf(event->key()), pcModifiersOf(event->modifiers()), event->isAutoRepeat()))
        QWidget::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!input_ || !input_->keyRelease(pcKeyOf(event->key()), event->isAutoRepeat())) QWidget::keyReleaseEvent(event);
}

void MainWindow::focusOutEvent(QFocusEvent* event) {
    if (input_) input_->focusLost();
    QWidget::focusOutEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (input_ && !input_->mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    timer_.stop();
    Q_EMIT finished();
}

}  // namespace appgen::gui
