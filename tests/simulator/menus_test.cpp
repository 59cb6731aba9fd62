// Project menus, targets between menus and forms, and what a run writes into
// the project.
#include "sim_harness.h"

namespace appgen::simulator::testing {
namespace {

class Menus : public SimTest {
protected:
    // Menu 1 as the start of the run, with the given item texts.
    void startWithMenu(const std::vector<std::string>& items, bool title = false) {
        project.terminal.startWith = 1;
        for (std::size_t i = 0; i < items.size(); ++i) setSlotText(menu(1).itemText[i], utf8ToCp1251(items[i]));
        menu(1).titleOn = title ? 1 : 0;
        setSlotText(menu(1).title, utf8ToCp1251("Меню"));
    }
};

TEST_F(Menus, UntitledMenuOfThreeItems) {
    startWithMenu({"Приход", "Расход", "Склад"});
    menu(1).itemTarget[2] = 12;  // item 3 leads to menu 2
    setSlotText(menu(2).itemText[0], "Second");
    collect();
    EXPECT_EQ(SimState::MenuScreen, state());
    EXPECT_EQ("Приход", lineText(0));
    EXPECT_EQ("Склад", lineText(2));
    EXPECT_EQ("", lineText(3));
    EXPECT_EQ(1, sim.display().highlightLine);
    press({4, 5, 9, kKeyDash, kKeyDot});
    EXPECT_EQ(SimState::MenuScreen, state());
    EXPECT_EQ(11, sim.display().currentScreen);
    press({kKeyDown, kKeyDown, kKeyDown});
    EXPECT_EQ(3, sim.display().highlightLine);
    press({kKeyUp});
    EXPECT_EQ(2, sim.display().highlightLine);
    press({3});
    EXPECT_EQ(12, sim.display().currentScreen);
    EXPECT_EQ("Second", lineText(0));
    EXPECT_EQ(2, menu(1).selection);
}

TEST_F(Menus, EscToTheMainScreenHighlightsItemOne) {
    startWithMenu({"a", "b", "c"});
    collect();
    press({kKeyEsc});
    EXPECT_EQ(SimState::MainScreen, state());
    EXPECT_EQ(1, sim.display().highlightLine);
}

TEST_F(Menus, TitledMenuShowsSevenItemsButTakesEveryDigit) {
    startWithMenu({"1", "2", "3", "4", "5", "6", "7", "8", "9"}, true);
    menu(1).itemTarget[8] = 2;
    defineForm(2, {{kLineText, "Nine:"}});
    collect();
    EXPECT_EQ("Меню", lineText(0));
    EXPECT_EQ("7", lineText(7));
    EXPECT_EQ(2, sim.display().highlightLine);
    for (int i = 0; i < 9; ++i) press({kKeyDown});
    EXPECT_EQ(8, sim.display().highlightLine);
    press({9});
    EXPECT_EQ(SimState::FormScreen, state());
    EXPECT_EQ("Nine:", lineText(0));
}

TEST_F(Menus, EscKeepsTheSelectionOfTheMenuItReaches) {
    startWithMenu({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    for (auto& t : menu(1).itemTarget) t = 12;
    setSlotText(menu(2).itemText[0], "x");
    menu(2).escTarget = 11;
    collect();
    press({kKey0});  // item 10: not shown, but chosen
    EXPECT_EQ(12, sim.display().currentScreen);
    press({kKeyEsc});
    EXPECT_EQ(11, sim.display().currentScreen);
    EXPECT_EQ(9, menu(1).selection);
    EXPECT_EQ(10, sim.display().highlightLine);  // beyond the display: nothing inverted
    press({kKeyEnter});
    EXPECT_EQ(12, sim.display().currentScreen);
    EXPECT_EQ(0, menu(2).selection);  // entered through an item: reset
}

TEST_F(Menus, FormTargetsAndCompletedRecordsEnterMenusAfresh) {
    startWithMenu({"a", "b"});
    menu(1).itemTarget[1] = 1;
    defineForm(1, {{kLineText, "A:"}});
    form(1).nextTarget = 11;
    form(1).escTarget = 11;
    collect();
    press({kKeyDown, kKeyEnter});
    EXPECT_EQ(SimState::FormScreen, state());
    press({kKeyEsc});
    EXPECT_EQ(2, sim.display().highlightLine);  // kept
    press({2, kKeyEnter});
    EXPECT_EQ(SimState::MenuScreen, state());
    EXPECT_EQ(1, sim.display().highlightLine);  // reset
    EXPECT_EQ(1, sim.display().recordCount);
}

TEST_F(Menus, TargetsAboveTwentyAreIgnored) {
    startWithMenu({"a"});
    menu(1).itemTarget[0] = 21;
    menu(1).escTarget = 255;
    defineForm(1, {{kLineText, "A:"}});
    form(1).nextTarget = 99;
    collect();
    press({1, kKeyEnter, kKeyEsc});
    EXPECT_EQ(SimState::MenuScreen, state());
    EXPECT_EQ(11, sim.display().currentScreen);

    project.terminal.startWith = 0;
    collect();
    press({kKeyEnter});
    EXPECT_EQ(SimState::FormScreen, state());
    EXPECT_EQ(1, sim.display().recordCount);
}

TEST_F(Menus, StrayMenuSelectionByteIsNotFollowed) {
    startWithMenu({"a"});
    menu(2).escTarget = 0;
    menu(2).selection = 200;  // as a file may hold it
    setSlotText(menu(2).itemText[0], "x");
    menu(1).escTarget = 12;
    collect();
    press({kKeyEsc});
    EXPECT_EQ(12, sim.display().currentScreen);
    press({kKeyEnter});
    EXPECT_EQ(12, sim.display().currentScreen);
}

TEST_F(Menus, ItemCountCountsVisibleItemsWithinTheWidth) {
    struct Case {
        u8 font;
        std::vector<std::string> items;
        int count;
    } cases[] = {
        {0, {"a", "", "b"}, 2},
        {0, {"   ", "\t x", "Я"}, 2},
        {1, {std::string(15, ' ') + "x", "y"}, 1},
        {0, {std::string(15, ' ') + "x"}, 1},
    };
    for (const auto& c : cases) {
        resetProject(project);
        menu(3).font = c.font;
        for (std::size_t i = 0; i < c.items.size(); ++i) setSlotText(menu(3).itemText[i], utf8ToCp1251(c.items[i]));
        sim.prepareRun();
        EXPECT_EQ(c.count, menu(3).itemCount);
    }
}

TEST_F(Menus, PrepareRunCleansLinesAndDerivesTheLastInputLine) {
    defineForm(4, {{kLineEmpty, "old"}, {kLineText, "A:"}, {kLineContinuation, "c"}, {kLineLabel, "L"},
                   {kLineLogical, "B:"}, {kLineFixed, "F"}});
    form(4).searchIn[0] = 3;
    form(4).searchIn[1] = 4;
    form(4).searchIn[3] = 5;
    form(4).searchIn[5] = 6;
    sim.prepareRun();
    const FormDef& f = form(4);
    EXPECT_EQ("", slotText(f.prompt[0]));
    EXPECT_EQ("", slotText(f.prompt[2]));
    EXPECT_EQ("L", slotText(f.prompt[3]));
    EXPECT_EQ(0, f.searchIn[0]);
    EXPECT_EQ(4, f.searchIn[1]);
    EXPECT_EQ(0, f.searchIn[3]);
    EXPECT_EQ(0, f.searchIn[5]);
    EXPECT_EQ(5, f.lastInputLine);
    EXPECT_EQ(0, form(5).lastInputLine);
}

TEST_F(Menus, FormWithoutDataLinesCanStillBeReachedAndLeft) {
    startWithMenu({"a"});
    menu(1).itemTarget[0] = 3;
    defineForm(3, {{kLineLabel, "Только надпись"}});
    form(3).escTarget = 0;
    collect();
    press({1});
    EXPECT_EQ(SimState::FormScreen, state());
    EXPECT_EQ("Только надпись", lineText(0));
    press({kKeyBackspace, kKeyUp});
    press({kKeyEnter});  // completes at once
    EXPECT_EQ(1, sim.display().recordCount);
    press({kKeyEsc});
    EXPECT_EQ(SimState::MainScreen, state());
}

}  // namespace
}  // namespace appgen::simulator::testing
