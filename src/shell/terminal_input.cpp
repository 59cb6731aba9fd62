#include "shell/terminal_input.h"

#include "shell/command_menu.h"

namespace appgen::shell {

using simulator::PcKey;
using simulator::Point;

TerminalInput::TerminalInput(Application& app, simulator::WindowSurface& surface, InputHost& host)
    : app_(app), mouse_(app.simulator(), surface), surface_(surface), host_(host) {}

bool TerminalInput::acceptsInput() const { return !app_.closed() && !app_.busy() && !transferring_; }

void TerminalInput::command(int id) {
    run(id);
    if (app_.closed()) host_.closeWindow();
}

void TerminalInput::run(int id) {
    if (!acceptsInput()) return;
    if (isTransferCommand(id)) {
        // Nothing else touches the application until the worker is done.
        Application& app = app_;
        transferring_ = true;
        host_.showBusy(true);
        try {
            host_.runTransfer([&app, id] { app.command(id); });
        } catch (...) {
            transferring_ = false;
            host_.showBusy(false);
            throw;
        }
        transferring_ = false;
        host_.showBusy(false);
    } else {
        app_.command(id);
    }
}

void TerminalInput::menuChosen(int id) {
    if (id) chosen_ = id;
}

void TerminalInput::leftPress(Point at) {
    if (!acceptsInput() || heldKey_ != PcKey::None) return;
    press(at);
}

void TerminalInput::press(Point at) {
    leftDown_ = true;
    const simulator::Rect window = surface_.windowOnScreen();
    dragOrigin_ = {window.left, window.top};
    const bool onKey = simulator::keyAt(at.x, at.y).code != 0;
    const int modalsBefore = host_.modalsRun();
    mouse_.leftButtonDown(at.x, at.y);
    // What the key posted (1010 when there is nothing to run) runs now that
    // the key has been handled, as a posted message would.
    if (onKey) app_.runPostedCommands();
    // A box or dialog opened by the key took the button's release with it.
    if (leftDown_ && host_.modalsRun() != modalsBefore) {
        leftDown_ = false;
        mouse_.leftButtonUp();
    }
    afterMouse();
}

void TerminalInput::mouseMove(Point onScreen) {
    if (!leftDown_) return;
    // Relative to where the window was when the drag began, since the window
    // moves under the mouse meanwhile.
    mouse_.mouseMove(onScreen.x - dragOrigin_.x, onScreen.y - dragOrigin_.y);
}

void TerminalInput::leftRelease() {
    if (heldKey_ != PcKey::None) return;
    release();
}

void TerminalInput::release() {
    if (!leftDown_) return;
    leftDown_ = false;
    mouse_.leftButtonUp();
    afterMouse();
}

void TerminalInput::rightPress(Point at) {
    if (!acceptsInput()) return;
    mouse_.rightButtonDown(at.x, at.y);
    afterMouse();
}

bool TerminalInput::keyPress(PcKey key, simulator::PcModifiers modifiers, bool autoRepeat) {
    const int code = simulator::terminalKeyFor(key, modifiers);
    if (code == 0) return false;
    // A held key repeats on the PC, never on the terminal.
    if (autoRepeat || heldKey_ != PcKey::None || leftDown_ || !acceptsInput()) return true;
    heldKey_ = key;
    press(simulator::clickPointOf(code));
    // A box that the key opened took its release.
    if (!leftDown_) heldKey_ = PcKey::None;
    return true;
}

bool TerminalInput::keyRelease(PcKey key, bool autoRepeat) {
    if (autoRepeat || heldKey_ == PcKey::None || key != heldKey_) return false;
    heldKey_ = PcKey::None;
    release();
    return true;
}

void TerminalInput::focusLost() {
    if (heldKey_ == PcKey::None) return;
    heldKey_ = PcKey::None;
    release();
}

void TerminalInput::afterMouse() {
    if (chosen_) {
        const int id = *chosen_;
        chosen_.reset();
        run(id);
    }
    if (app_.closed()) host_.closeWindow();
}

void TerminalInput::timer() {
    if (transferring_) app_.tickWhileTransferring();
    else app_.tick();
}

bool TerminalInput::mayClose() {
    if (app_.closed()) return true;
    return !app_.busy() && !transferring_ && app_.requestClose();
}

}  // namespace appgen::shell
