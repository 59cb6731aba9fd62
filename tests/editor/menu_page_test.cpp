#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "editor/editor_sheet.h"
#include "editor/menu_page.h"
#include "editor_harness.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

constexpr int kMenuChoice = 690, kFont = 691, kEscTarget = 692, kTitleOn = 101, kSaveTitle = 102;
constexpr int kSaveItem = 103, kSendOn = 104, kSeparateFiles = 105, kReset = 201;
constexpr int kItemText = 501, kTitle = 591, kItemTarget = 601;

class MenuPageTest : public ::testing::Test {
protected:
    void open() {
        page = std::make_unique<MenuPage>(ws, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("MENUDLG"), *page,
                                              ui::Dialog::Role::Page);
        dialog->start();
    }
    MenuDef& stored(int menu = 0) { return ws.project.menus[menu]; }
    const MenuDef& working(int menu = 0) const { return page->working(menu); }

    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    std::unique_ptr<MenuPage> page;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(MenuPageTest, ListsAndTheFirstMenuAreShown) {
    stored(0).escTarget = 13;
    stored(0).itemTarget[9] = 20;
    open();
    const ui::ControlState* menus = dialog->control(kMenuChoice);
    ASSERT_EQ(10u, menus->items.size());
    EXPECT_EQ(cp("меню  1"), menus->items[0]);
    EXPECT_EQ(cp("меню  10"), menus->items[9]);
    EXPECT_EQ(0, menus->selected);
    EXPECT_EQ(2, dialog->itemCount(kFont));
    EXPECT_EQ(cp("большой"), dialog->control(kFont)->items[1]);
    EXPECT_EQ(21, dialog->itemCount(kEscTarget));
    EXPECT_EQ(13, dialog->selection(kEscTarget));
    EXPECT_EQ(21, dialog->itemCount(kItemTarget + 9));
    EXPECT_EQ(cp("меню  10"), dialog->control(kItemTarget + 9)->items[20]);
    EXPECT_EQ(20, dialog->selection(kItemTarget + 9));
    EXPECT_FALSE(dialog->enabled(kTitle));
}

TEST_F(MenuPageTest, ChoicesAndChecksStoreIntoTheMenuShown) {
    open();
    dialog->userSelect(kMenuChoice, 3);
    dialog->userSelect(kEscTarget, 12);
    dialog->userSelect(kItemTarget + 4, 7);
    dialog->userClick(kTitleOn);
    EXPECT_TRUE(dialog->enabled(kTitle));
    dialog->userType(kTitle, "Title");
    dialog->userClick(kTitleOn);
    EXPECT_FALSE(dialog->enabled(kTitle));
    dialog->userType(kItemText + 2, "Item");
    const MenuDef& m = working(3);
    EXPECT_EQ(12, m.escTarget);
    EXPECT_EQ(7, m.itemTarget[4]);
    EXPECT_EQ(0, m.titleOn);
    EXPECT_EQ("Title", slotText(m.title));
    EXPECT_EQ("Item", slotText(m.itemText[2]));
    EXPECT_EQ(0, working(0).escTarget);
    // Shown again after another menu, it shows what it holds.
    dialog->userSelect(kMenuChoice, 0);
    EXPECT_EQ("", dialog->text(kItemText + 2));
    dialog->userSelect(kMenuChoice, 3);
    EXPECT_EQ("Item", dialog->text(kItemText + 2));
    EXPECT_EQ(7, dialog->selection(kItemTarget + 4));
}

TEST_F(MenuPageTest, TitleIsCutAtTwentyWhateverTheFont) {
    stored(1).font = 1;
    open();
    for (const int menu : {0, 1}) {
        dialog->userSelect(kMenuChoice, menu);
        dialog->userClick(kTitleOn);
        dialog->userType(kTitle, std::string(20, 't'));
        EXPECT_EQ(std::string(20, 't'), slotText(working(menu).title)) << menu;
        dialog->userType(kTitle, std::string(40, 'u'));
        EXPECT_EQ(std::string(20, 'u'), dialog->text(kTitle)) << menu;
        EXPECT_EQ(std::string(20, 'u'), slotText(working(menu).title)) << menu;
    }
}

TEST_F(MenuPageTest, ItemTextsAreCutToTheFontsLimit) {
    struct Row {
        int menu;
        std::string typed;
        std::string kept;
    };
    stored(1).font = 1;
    open();
    const Row rows[] = {
        {0, std::string(20, 'a'), std::string(20, 'a')},
        {0, std::string(21, 'b'), std::string(20, 'b')},
        {0, std::string(30, 'c'), std::string(20, 'c')},
        {1, std::string(15, 'd'), std::string(15, 'd')},
        {1, std::string(16, 'e'), std::string(15, 'e')},
    };
    for (const Row& r : rows) {
        dialog->userSelect(kMenuChoice, r.menu);
        dialog->userType(kItemText + 5, r.typed);
        EXPECT_EQ(r.kept, dialog->text(kItemText + 5)) << r.typed;
        EXPECT_EQ(r.kept, slotText(working(r.menu).itemText[5])) << r.typed;
    }
}

TEST_F(MenuPageTest, FontChangeKeepsStoredItemsButShowingABigFontMenuCutsThem) {
    setSlotText(stored(0).itemText[0], std::string(20, 'x'));
    setSlotText(stored(1).itemText[0], std::string(20, 'y'));
    stored(1).font = 1;
    setSlotText(stored(2).itemText[0], std::string(20, 'z'));
    open();
    EXPECT_EQ(20, page->itemLimit());
    dialog->userSelect(kFont, 1);
    EXPECT_EQ(15, page->itemLimit());
    dialog->userSelect(kFont, 0);
    EXPECT_EQ(std::string(20, 'x'), slotText(working(0).itemText[0]));
    // A big-font menu is cut as it is shown; a small-font menu after it is not.
    dialog->userSelect(kMenuChoice, 1);
    EXPECT_EQ(std::string(15, 'y'), dialog->text(kItemText));
    EXPECT_EQ(std::string(15, 'y'), slotText(working(1).itemText[0]));
    dialog->userSelect(kMenuChoice, 2);
    EXPECT_EQ(std::string(20, 'z'), slotText(working(2).itemText[0]));
    EXPECT_EQ(20, page->itemLimit());
}

// Each step clicks a box; the row gives what 104 then shows and whether it is enabled.
TEST_F(MenuPageTest, SendOnFollowsTheSaveOptionsAndSeparateFiles) {
    struct Row {
        int click;
        bool sendOn;
        bool enabled;
    };
    const Row rows[] = {
        {kSendOn, false, false},        // nothing saved: not clickable, so nothing changes
        {kSaveTitle, false, true},      // a save option lets the operator choose
        {kSendOn, true, true},          //
        {kSaveItem, true, true},        // a second option keeps the choice
        {kSendOn, false, true},         //
        {kSaveItem, false, true},       //
        {kSeparateFiles, true, false},  // separate files pass on whatever is saved
        {kSaveTitle, false, false},     // and nothing when nothing is saved
        {kSaveItem, true, false},       //
        {kSeparateFiles, true, true},   // back to the operator's choice, as it stands
        {kSaveItem, false, false},      // nothing saved: cleared
    };
    open();
    for (const Row& r : rows) {
        dialog->userClick(r.click);
        SCOPED_TRACE(r.click);
        EXPECT_EQ(r.sendOn, dialog->checked(kSendOn));
        EXPECT_EQ(r.sendOn, working().sendOn == 1);
        EXPECT_EQ(r.enabled, dialog->enabled(kSendOn));
    }
}

TEST_F(MenuPageTest, SendOnRuleRunsWhenAMenuIsShown) {
    // Stored inconsistently, as an older file may hold them.
    stored(0).sendOn = 1;  // nothing saved
    stored(2).saveItem = 1;
    stored(2).sendOn = 0;
    ws.project.terminal.separateFiles = 1;
    open();
    EXPECT_EQ(0, working(0).sendOn);
    EXPECT_TRUE(dialog->checked(kSeparateFiles));
    dialog->userSelect(kMenuChoice, 2);
    EXPECT_EQ(1, working(2).sendOn);
    EXPECT_TRUE(dialog->checked(kSendOn));
    EXPECT_FALSE(dialog->enabled(kSendOn));
}

TEST_F(MenuPageTest, ResetClearsEveryMenuAndSeparateFilesButNotTheUnusedBytes) {
    for (MenuDef& m : ws.project.menus) std::memset(&m, 0x41, sizeof m);
    ws.project.terminal.separateFiles = 1;
    open();
    dialog->userSelect(kMenuChoice, 6);
    dialog->userClick(kReset);
    EXPECT_EQ(0, dialog->selection(kMenuChoice));
    EXPECT_FALSE(dialog->checked(kSeparateFiles));
    EXPECT_FALSE(page->separateFiles());
    EXPECT_EQ("", dialog->text(kItemText + 9));
    for (int k = 0; k < kMenuCount; ++k) {
        const MenuDef& m = working(k);
        SCOPED_TRACE(k);
        EXPECT_EQ(0, m.font);
        EXPECT_EQ(0, m.titleOn);
        EXPECT_EQ("", slotText(m.title));
        EXPECT_EQ("", slotText(m.itemText[9]));
        EXPECT_EQ(0, m.escTarget);
        EXPECT_EQ(0, m.itemTarget[9]);
        EXPECT_EQ(0, m.saveTitle + m.saveItem + m.sendOn + m.itemCount + m.selection + m.scratch);
        EXPECT_EQ(0x41, m.reserved[0]);
        EXPECT_EQ(0x41, m.reserved[99]);
    }
}

TEST_F(MenuPageTest, ApplyWritesTheMenusAndSeparateFilesOnly) {
    Project before = ws.project;
    open();
    dialog->userSelect(kMenuChoice, 9);
    dialog->userType(kItemText, "Last");
    dialog->userClick(kSeparateFiles);
    // Another page's edit of the terminal settings reached the project meanwhile.
    ws.project.terminal.startWith = 1;
    before.terminal.startWith = 1;
    page->apply(*dialog);
    EXPECT_EQ("Last", slotText(ws.project.menus[9].itemText[0]));
    EXPECT_EQ(1, ws.project.terminal.separateFiles);
    EXPECT_FALSE(ws.modified);
    before.menus[9] = ws.project.menus[9];
    before.terminal.separateFiles = 1;
    EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
}

TEST(MenuPageInSheet, OkStoresTheMenuAndCancelLeavesTheProject) {
    for (const bool ok : {true, false}) {
        Workspace ws = testing::freshWorkspace();
        const Project before = ws.project;
        ui::HeadlessServices ui;
        Steps script;
        script.add(ScriptAction::page("MENUDLG"));
        script.add(ScriptAction::select(kFont, 1));
        script.add(ScriptAction::type(kItemText + 1, cp("Приёмка")));
        script.add(ScriptAction::select(kItemTarget + 1, 2));
        script.add(ScriptAction::click(kSeparateFiles));
        script.add(ok ? ScriptAction::ok() : ScriptAction::cancel());
        ui.setScript(&script);
        runEditor(ws, ui, {});
        if (ok) {
            EXPECT_EQ(1, ws.project.menus[0].font);
            EXPECT_EQ(cp("Приёмка"), slotText(ws.project.menus[0].itemText[1]));
            EXPECT_EQ(2, ws.project.menus[0].itemTarget[1]);
            EXPECT_EQ(1, ws.project.terminal.separateFiles);
        } else {
            EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
        }
    }
}

}  // namespace
}  // namespace appgen::editor
