// The application object's own state rules; the dialogs and questions of the
// dispatcher are walked by the scripts in tests/scripts/shell.
#include <gtest/gtest.h>

#include "platform/system_serial_port.h"
#include "platform/steady_tick_clock.h"
#include "shell/application.h"
#include "simulator/key_codes.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

using Kind = ui::RecordedEvent::Kind;

class FixedClock : public simulator::LocalClock {
public:
    simulator::LocalDateTime now() override { return {2026, 3, 14, 9, 26, 53}; }
};

struct Harness {
    ui::HeadlessServices ui;
    platform::SystemSerialPort port;
    platform::SteadyTickClock ticks;
    FixedClock clock;
    simulator::NoRepaint repaint;
    Application app{Environment{ui, port, ticks, clock, repaint, "/nowhere/help.md"}};

    int count(Kind k) const {
        int n = 0;
        for (const auto& e : ui.events()) n += e.kind == k;
        return n;
    }
};

TEST(Application, StartsOnTheMainScreenWithAFreshProject) {
    Harness h;
    h.app.workspace().project.forms[0].lineType[0] = 3;  // left over from before
    h.app.start();
    EXPECT_EQ(h.app.simulator().display().state, simulator::SimState::MainScreen);
    EXPECT_EQ(h.app.simulator().display().highlightLine, 1);
    EXPECT_EQ(h.app.workspace().project.forms[0].lineType[0], 0);
    EXPECT_TRUE(h.ui.events().empty()) << "start-up neither opens nor edits a project";
}

// New and Open clear the simulator's count of saved records, also when the
// open dialog is cancelled.
TEST(Application, NewAndOpenClearTheRecordCount) {
    for (const int command : {kCmdNew, kCmdOpen}) {
        Harness h;
        h.app.start();
        h.app.workspace().fileName = "old.TGP";
        h.app.simulator().setRecordCount(12);
        h.ui.queueFile(std::nullopt);
        h.app.command(command);
        EXPECT_EQ(h.app.simulator().display().recordCount, 0) << command;
        EXPECT_TRUE(h.app.workspace().fileName.empty()) << command;
        EXPECT_FALSE(h.app.workspace().modified) << command;
    }
}

TEST(Application, AClosedWindowTakesNoMoreCommands) {
    Harness h;
    h.app.start();
    EXPECT_TRUE(h.app.requestClose()) << "nothing to save: no question";
    EXPECT_EQ(h.count(Kind::Box), 0);
    EXPECT_TRUE(h.app.closed());
    h.app.command(kCmdEdit);
    h.app.clickKey(simulator::kKeyPower);
    EXPECT_EQ(h.count(Kind::DialogOpen), 0);
}

// The simulator's request for a new project waits until the key that caused
// it has been handled, and runs once.
TEST(Application, APostedNewProjectRunsAfterTheKey) {
    Harness h;
    h.app.start();
    h.app.clickKey(1);  // "1.Сбор данных" with nothing to run
    ASSERT_EQ(h.ui.events().size(), 3u);
    EXPECT_EQ(h.ui.events()[0].kind, Kind::Box);
    EXPECT_EQ(h.ui.events()[1].kind, Kind::DialogOpen);
    EXPECT_EQ(h.ui.events()[1].caption, "FORMDLG");
    EXPECT_FALSE(h.app.busy());
}

TEST(Application, UnknownCommandsAreIgnored) {
    Harness h;
    h.app.start();
    for (const int command : {0, 1011, 2001, 3022, 9999}) h.app.command(command);
    EXPECT_TRUE(h.ui.events().empty());
}

}  // namespace
}  // namespace appgen::shell
