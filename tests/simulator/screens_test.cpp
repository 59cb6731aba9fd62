// The terminal's own screens: main menu, connecting, utilities, settings, the
// reset command, "Collect data" with nothing to run, and the clock line.
#include "sim_harness.h"

namespace appgen::simulator::testing {
namespace {

using Screens = SimTest;

TEST_F(Screens, MainScreenShowsTheMainMenuGroupWide) {
    sim.start();
    EXPECT_EQ(SimState::MainScreen, state());
    EXPECT_EQ("1.Сбор данных  ", lineText(0));
    EXPECT_EQ("3.Инструменты  ", lineText(2));
    EXPECT_EQ(std::string(15, ' '), lineText(3));
    EXPECT_EQ("", lineText(4));
    EXPECT_TRUE(sim.display().widePitch);
    EXPECT_EQ(1, sim.display().highlightLine);
    EXPECT_EQ(0, sim.display().currentScreen);
}

TEST_F(Screens, MainMenuHighlightWrapsAndEnterFollowsIt) {
    sim.start();
    press({kKeyUp});
    EXPECT_EQ(3, sim.display().highlightLine);
    EXPECT_EQ(DisplayArea::MainMenuLines, repaint.requests.back().area);
    press({kKeyDown});
    EXPECT_EQ(1, sim.display().highlightLine);
    press({kKeyUp, kKeyRightEnter});
    EXPECT_EQ(SimState::UtilitiesScreen, state());
    EXPECT_EQ(1, sim.display().highlightLine);
}

TEST_F(Screens, ConnectingScreenAndBackWithItemTwo) {
    sim.start();
    press({kKeyDown, kKeyEnter});
    EXPECT_EQ(SimState::ConnectScreen, state());
    EXPECT_EQ(0, sim.display().highlightLine);
    EXPECT_EQ("Соединение...  ", lineText(0));
    EXPECT_EQ("Нажмите ESC для", lineText(2));
    press({kKeyEnter, 1, kKeyUp});  // only ESC leaves
    EXPECT_EQ(SimState::ConnectScreen, state());
    press({kKeyEsc});
    EXPECT_EQ(SimState::MainScreen, state());
    EXPECT_EQ(2, sim.display().highlightLine);
}

TEST_F(Screens, UtilitiesShowSevenEntriesUnlessLookupOneIsDefined) {
    sim.start();
    press({3});
    EXPECT_FALSE(sim.display().widePitch);
    EXPECT_EQ("7. Память и Питание ", lineText(6));
    EXPECT_EQ("", lineText(7));
    press({kKeyUp});
    EXPECT_EQ(7, sim.display().highlightLine);
    press({kKeyDown});
    EXPECT_EQ(1, sim.display().highlightLine);

    project.lookups[0].recLen = 20;
    project.lookups[0].fieldCount = 2;
    sim.setUtilitiesEntries(fixContinuationLines(project));
    press({kKeyEsc, 3, kKeyUp});
    EXPECT_EQ("8. Загрузка Базы    ", lineText(7));
    EXPECT_EQ(8, sim.display().highlightLine);
}

TEST_F(Screens, UtilitiesEnterOnlyActsOnTheFirstEntry) {
    sim.start();
    press({3, kKeyDown, kKeyEnter});
    EXPECT_EQ(SimState::UtilitiesScreen, state());
    press({kKeyUp, kKeyEnter});
    EXPECT_EQ(SimState::SettingsScreen, state());
    EXPECT_EQ(2, sim.display().highlightLine);
    EXPECT_EQ(" [Прогр. Настройки] ", lineText(0));
}

TEST_F(Screens, UtilitiesEscReturnsWithItemThree) {
    sim.start();
    press({3, kKeyEsc});
    EXPECT_EQ(SimState::MainScreen, state());
    EXPECT_EQ(3, sim.display().highlightLine);
}

TEST_F(Screens, SettingsHighlightWrapsBetweenTwoAndEight) {
    sim.start();
    press({3, 1, kKeyUp});
    EXPECT_EQ(8, sim.display().highlightLine);
    press({kKeyDown});
    EXPECT_EQ(2, sim.display().highlightLine);
    press({kKeyDash, 8, 9, kKeyBackspace});  // not entries
    EXPECT_EQ(SimState::SettingsScreen, state());
}

TEST_F(Screens, EveryEntryKeyOfTheSettingsLeadsBackToUtilities) {
    for (int code : {1, 4, 7, kKeyEnter, kKeyRightEnter, kKeyEsc}) {
        sim.start();
        press({3, 1, code});
        EXPECT_EQ(SimState::UtilitiesScreen, state()) << code;
        EXPECT_EQ(1, sim.display().highlightLine) << code;
    }
}

TEST_F(Screens, ResetCommandReturnsToTheMainScreenFromAnywhere) {
    defineForm(1, {{kLineText, "A:"}});
    collect();
    ASSERT_EQ(SimState::FormScreen, state());
    sim.pressKey(kCommandReset);
    EXPECT_EQ(SimState::MainScreen, state());
    EXPECT_EQ(1, sim.display().highlightLine);
    EXPECT_FALSE(sim.display().alphaMode);
    sim.start();
    press({3, 1});
    sim.pressKey(kCommandReset);
    EXPECT_EQ(SimState::MainScreen, state());
}

TEST_F(Screens, CollectDataWithoutAProgramWarnsAndAsksForANewProject) {
    sim.setKeyDown(true);
    collect();
    ASSERT_EQ(1u, host.boxes.size());
    EXPECT_EQ("No executable program: Please define your program!", host.boxes[0]);
    EXPECT_EQ(std::vector<int>{kCommandNewProject}, host.posted);
    EXPECT_FALSE(sim.display().keyDown);
    EXPECT_EQ(1, host.releases);
    EXPECT_EQ(SimState::MainScreen, state());
}

TEST_F(Screens, StartingWithAMenuNeedsAVisibleItem) {
    project.terminal.startWith = 1;
    defineForm(1, {{kLineText, "A:"}});
    setSlotText(menu(1).itemText[0], "   ");
    collect();
    EXPECT_EQ(1u, host.boxes.size());
    setSlotText(menu(1).itemText[0], " x");
    collect();
    EXPECT_EQ(SimState::MenuScreen, state());
    EXPECT_EQ(11, sim.display().currentScreen);
}

TEST_F(Screens, UnlistedCodesAreIgnored) {
    sim.start();
    for (int code : {0, 4, 9, 13, 14, 15, 18, 20, 23, 50, 52, 999, -3}) sim.clickKey(code);
    EXPECT_EQ(SimState::MainScreen, state());
    EXPECT_EQ(1, sim.display().highlightLine);
}

TEST_F(Screens, ClockLineBlinksItsColonAndShowsTheRecordCount) {
    clock.time = {2026, 3, 3, 14, 5, 0};
    sim.start();
    sim.setRecordCount(12);
    EXPECT_EQ("", sim.clockLine());
    ticks(1);
    EXPECT_EQ("MAR 03, 14:05  00012", sim.clockLine());
    EXPECT_EQ(DisplayArea::ClockLine, repaint.requests.back().area);
    ticks(3);  // clockTick 4: still the first half
    EXPECT_EQ("MAR 03, 14:05  00012", sim.clockLine());
    ticks(1);
    EXPECT_EQ("MAR 03, 14 05  00012", sim.clockLine());
    ticks(4);
    EXPECT_EQ("MAR 03, 14 05  00012", sim.clockLine());
    ticks(1);
    EXPECT_EQ(0, sim.display().clockTick);
    EXPECT_EQ("MAR 03, 14:05  00012", sim.clockLine());
}

TEST_F(Screens, ClockLineMonthsCountsAndSeparateFiles) {
    struct Case {
        int month, count;
        u8 separateFiles;
        const char* line;
    } cases[] = {
        {1, 0, 0, "JAN 09, 23:59  00000"},
        {12, 98765, 0, "DEC 09, 23:59  98765"},
        {7, 12, 1, "JUL 09, 23:59  "},
    };
    for (const auto& c : cases) {
        clock.time = {2026, c.month, 9, 23, 59, 1};
        project.terminal.separateFiles = c.separateFiles;
        sim.start();
        sim.setRecordCount(c.count);
        while (sim.display().clockTick != 9) ticks(1);
        ticks(1);
        EXPECT_EQ(c.line, sim.clockLine());
    }
}

TEST_F(Screens, ClockLineIsOnlyComposedOnTheMainScreen) {
    sim.start();
    press({3});
    ticks(3);
    EXPECT_EQ("", sim.clockLine());
    EXPECT_EQ(3, sim.display().clockTick);
}

}  // namespace
}  // namespace appgen::simulator::testing
