// The terminal window's input rules, fed as a front end feeds them.
#include <gtest/gtest.h>

#include <functional>

#include "platform/steady_tick_clock.h"
#include "platform/system_serial_port.h"
#include "shell/application.h"
#include "shell/terminal_input.h"
#include "simulator/key_codes.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

using simulator::PcKey;
using Kind = ui::RecordedEvent::Kind;

class FixedClock : public simulator::LocalClock {
public:
    simulator::LocalDateTime now() override { return {2026, 3, 14, 9, 26, 53}; }
};

class FakeSurface : public simulator::WindowSurface {
public:
    void captureMouse() override {}
    void releaseMouse() override {}
    void drawPicture(int, simulator::Point) override {}
    simulator::Rect windowOnScreen() override { return {300, 50, 500, 509}; }
    void drawDragOutline(const simulator::Rect&) override {}
    void moveWindow(const simulator::Rect&) override {}
    void openCommandMenu(simulator::Point) override { menus++, onMenu(); }
    std::function<void()> onMenu = [] {};
    int menus = 0;
};

class FakeHost : public InputHost {
public:
    explicit FakeHost(ui::HeadlessServices& ui) : ui_(ui) {}
    void runTransfer(const std::function<void()>&) override { duringTransfer(); }
    void showBusy(bool busy) override { busyShown.push_back(busy); }
    int modalsRun() override {
        int n = 0;
        for (const auto& e : ui_.events()) n += e.kind == Kind::Box || e.kind == Kind::DialogOpen;
        return n;
    }
    void closeWindow() override { ++closes; }
    std::function<void()> duringTransfer = [] {};
    std::vector<bool> busyShown;
    int closes = 0;

private:
    ui::HeadlessServices& ui_;
};

struct Harness {
    ui::HeadlessServices ui;
    platform::SystemSerialPort port;
    platform::SteadyTickClock ticks;
    FixedClock clock;
    simulator::NoRepaint repaint;
    Application app{Environment{ui, port, ticks, clock, repaint, "/nowhere/help.md"}};
    FakeSurface surface;
    FakeHost host{ui};
    TerminalInput input{app, surface, host};
    Harness() { app.start(); }
    const simulator::DisplayModel& display() const { return app.simulator().display(); }
};

TEST(TerminalInput, NothingButTheTransferWhileItRuns) {
    Harness h;
    bool sawRunning = false;
    h.host.duringTransfer = [&] {
        sawRunning = h.input.transferRunning() && !h.input.acceptsInput();
        h.input.command(kCmdEdit);
        h.input.command(kCmdUploadDirect);
        EXPECT_TRUE(h.input.keyPress(PcKey::Down, simulator::kNoModifier, false)) << "taken, and dropped";
        h.input.leftPress({100, 280});
    };
    h.input.command(kCmdUploadCradle);
    EXPECT_TRUE(sawRunning);
    EXPECT_TRUE(h.ui.events().empty());
    EXPECT_EQ(h.display().highlightLine, 1);
    EXPECT_EQ(h.host.busyShown, (std::vector<bool>{true, false}));
    EXPECT_FALSE(h.input.transferRunning());
    EXPECT_TRUE(h.input.acceptsInput());
}

TEST(TerminalInput, APcKeyHoldsItsTerminalKeyUntilReleasedAndNeverRepeats) {
    for (const bool byFocus : {false, true}) {
        Harness h;
        EXPECT_TRUE(h.input.keyPress(PcKey::Down, simulator::kNoModifier, false));
        EXPECT_TRUE(h.display().keyDown);
        EXPECT_TRUE(h.input.keyPress(PcKey::Down, simulator::kNoModifier, true));  // the PC's repeat
        EXPECT_TRUE(h.input.keyPress(PcKey::Up, simulator::kNoModifier, false));   // a second key
        h.input.leftPress({100, 250});                                             // or a click
        EXPECT_FALSE(h.input.keyRelease(PcKey::Up, false)) << "not the held key";
        if (byFocus) h.input.focusLost();
        else EXPECT_TRUE(h.input.keyRelease(PcKey::Down, false));
        EXPECT_FALSE(h.display().keyDown);
        EXPECT_EQ(h.display().highlightLine, 2) << "one step down, nothing else";
        EXPECT_FALSE(h.input.keyPress(PcKey::LetterE, simulator::kControlModifier, false)) << "an accelerator";
    }
}

// "1" with nothing to run asks about a new project: the box took the key's
// release, so the key is up again and its release is no longer the window's.
TEST(TerminalInput, ABoxOpenedByAKeyTakesItsRelease) {
    Harness h;
    EXPECT_TRUE(h.input.keyPress(PcKey::Digit1, simulator::kNoModifier, false));
    ASSERT_GE(h.host.modalsRun(), 1);
    EXPECT_FALSE(h.display().keyDown);
    EXPECT_FALSE(h.input.keyRelease(PcKey::Digit1, false));
}

TEST(TerminalInput, AMenuChoiceRunsAfterTheClickAndExitClosesTheWindow) {
    Harness h;
    h.surface.onMenu = [&] {
        h.input.menuChosen(kCmdExit);
        EXPECT_EQ(h.host.closes, 0) << "not inside the menu's own event";
    };
    h.input.rightPress({20, 30});
    EXPECT_EQ(h.surface.menus, 1);
    EXPECT_TRUE(h.app.closed());
    EXPECT_EQ(h.host.closes, 1);
    EXPECT_TRUE(h.input.mayClose());
    EXPECT_FALSE(h.input.acceptsInput());
}

TEST(TerminalInput, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
    Harness h;
    h.app.workspace().modified = true;
    h.ui.queueAnswer(ui::Answer::Cancel);
    EXPECT_FALSE(h.input.mayClose());
    EXPECT_EQ(h.ui.events().size(), 1u);
    h.ui.queueAnswer(ui::Answer::No);
    EXPECT_TRUE(h.input.mayClose());
}

}  // namespace
}  // namespace appgen::shell
