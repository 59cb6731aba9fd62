// The terminal window's input rules, apart from any toolkit: a front end
// feeds it the window's mouse, key, focus, timer and close events and
// supplies what only it can do (run a transfer off its user-interface thread,
// show the busy cursor, count its modal windows, close its window).
//
// The rules: no command and no click while a command or a transfer runs; a
// PC key holds its terminal key down until released (never repeating) and
// only one at a time; a box or dialog that a key press opened took the
// button's release with it; a menu choice runs once the mouse event is done;
// the window closes when the application has.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "shell/application.h"
#include "simulator/pc_keyboard.h"
#include "simulator/simulator_window.h"

namespace appgen::shell {

class InputHost {
public:
    virtual ~InputHost() = default;
    // Runs a transfer's job off the user-interface thread and returns once it
    // has finished; the windows keep painting meanwhile.
    virtual void runTransfer(const std::function<void()>& job) = 0;
    // The busy cursor over the terminal, which tells why clicks do nothing.
    virtual void showBusy(bool busy) = 0;
    // How many boxes and dialogs have been up so far.
    virtual int modalsRun() = 0;
    // The application has closed: the window goes.
    virtual void closeWindow() = 0;
};

class TerminalInput {
public:
    TerminalInput(Application& app, simulator::WindowSurface& surface, InputHost& host);

    bool acceptsInput() const;
    bool transferRunning() const { return transferring_.load(); }

    // A command from the menu, an accelerator or the simulator; refused while
    // another command or a transfer runs.
    void command(int id);
    // What the command menu opened by the surface returned (0: none); it runs
    // once the mouse event that opened the menu is done.
    void menuChosen(int id);

    // Mouse events at client points; moves at screen points.
    void leftPress(simulator::Point at);
    void mouseMove(simulator::Point onScreen);
    void leftRelease();
    void rightPress(simulator::Point at);

    // False when the key works no terminal key, for the front end's own use.
    bool keyPress(simulator::PcKey key, simulator::PcModifiers modifiers, bool autoRepeat);
    bool keyRelease(simulator::PcKey key, bool autoRepeat);
    // A key let go while another window had the keyboard is let go here.
    void focusLost();

    // The 100 ms timer.
    void timer();
    // The window's close box or Alt+F4: asks about unsaved changes; true when
    // the window may close.
    bool mayClose();

private:
    void run(int id);
    void press(simulator::Point at);
    void release();
    void afterMouse();

    Application& app_;
    simulator::SimulatorWindow mouse_;
    simulator::WindowSurface& surface_;
    InputHost& host_;
    std::atomic<bool> transferring_{false};
    std::optional<int> chosen_;  // a menu command, run once the mouse event is done
    bool leftDown_ = false;      // a left press that the window took
    simulator::PcKey heldKey_ = simulator::PcKey::None;  // holds a terminal key down
    simulator::Point dragOrigin_;  // the window's place when the left button went down
};

}  // namespace appgen::shell
