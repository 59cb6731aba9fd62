#include "simulator/simulator_window.h"

namespace appgen::simulator {
namespace {

int asUnsigned16(int v) { return v & 0xFFFF; }

// While the mouse is captured a point left of or above the window comes as a
// large 16-bit value.
int asSigned16(int v) {
    v &= 0xFFFF;
    return v > 60000 ? v - 65535 : v;
}

}  // namespace

void SimulatorWindow::leftButtonDown(int x, int y) {
    x = asUnsigned16(x);
    y = asUnsigned16(y);
    surface_.captureMouse();
    lastDown_ = keyAt(x, y);
    const int code = lastDown_.code;
    if (code != 0) {
        sim_.setKeyDown(true);
        if (sim_.toggleAlphaOnForm(code))
            surface_.drawPicture(sim_.display().alphaMode ? kAlphaOnPicture : kAlphaOffPicture,
                                 kAlphaIndicatorAt);
        surface_.drawPicture(pressedKeyPicture(code), lastDown_.origin);
        sim_.pressKey(code);
        return;
    }
    start_ = frame_ = surface_.windowOnScreen();
    grab_ = {x, y};
    dragging_ = true;
    surface_.drawDragOutline(frame_);
}

void SimulatorWindow::mouseMove(int x, int y) {
    if (!dragging_ || sim_.display().keyDown) return;
    const int dx = asSigned16(x) - grab_.x;
    const int dy = asSigned16(y) - grab_.y;
    surface_.drawDragOutline(frame_);
    frame_ = {start_.left + dx, start_.top + dy, start_.right + dx, start_.bottom + dy};
    surface_.drawDragOutline(frame_);
}

void SimulatorWindow::leftButtonUp() {
    if (lastDown_.code != 0) {
        surface_.drawPicture(normalKeyPicture(lastDown_.code), lastDown_.origin);
    } else if (dragging_) {
        surface_.drawDragOutline(frame_);
        surface_.moveWindow(frame_);
    }
    sim_.setKeyDown(false);
    dragging_ = false;
    surface_.releaseMouse();
    if (lastDown_.code == kKeyPower) surface_.openCommandMenu(lastDown_.origin);
}

void SimulatorWindow::rightButtonDown(int x, int y) { surface_.openCommandMenu({x, y}); }

}  // namespace appgen::simulator
