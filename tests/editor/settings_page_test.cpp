#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "editor/editor_sheet.h"
#include "editor/settings_lists.h"
#include "editor/settings_page.h"
#include "editor/wedge_flags.h"
#include "editor_harness.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

constexpr int kProtect = 101, kWedge = 201, kSystem = 202, kDefaults = 203;
constexpr int kSelectAll = 204, kSelectNone = 205, kPassword = 501, kFnKey = 601, kFunction = 602;

TEST(SettingsLists, EntriesInValueOrder) {
    const List fn = fnKeyList();
    ASSERT_EQ(10u, fn.size());
    EXPECT_EQ(" FN+0", fn[0]);
    EXPECT_EQ(" FN+9", fn[9]);
    const List functions = fnFunctionList();
    ASSERT_EQ(19u, functions.size());
    EXPECT_EQ("nil", functions[0]);
    EXPECT_EQ("Reader Test", functions[7]);
    EXPECT_EQ("Memory & Power", functions[10]);
    EXPECT_EQ("View Settings", functions[18]);
    const List keyboards = keyboardTypeList();
    ASSERT_EQ(32u, keyboards.size());
    EXPECT_EQ("PCAT (USA)", keyboards[0]);
    EXPECT_EQ("PS55 A01-1", keyboards[10]);
    EXPECT_EQ("PS55 002-8A, 003-8A", keyboards[24]);
    EXPECT_EQ("Memorex Telex 122 Keys", keyboards[27]);
    EXPECT_EQ("PCAT (Swiss)", keyboards[31]);
    EXPECT_EQ(5u, uploadPortList().size());
    EXPECT_EQ("Modem", uploadPortList()[4]);
    EXPECT_EQ("Modem", downloadPortList()[3]);
    EXPECT_EQ("9600 bps", terminalBaudList()[4]);
    EXPECT_EQ("Show record", entryMessageList()[2]);
}

TEST(WedgeFlags, BitsOfEveryChoice) {
    struct Row {
        WedgeChoices c;
        u8 flags;
    };
    const Row rows[] = {
        {{false, 0, 0, CapsLockMode::AutoDetect}, 0x80},
        {{true, 2, 2, CapsLockMode::AlwaysOn}, 0x55},
        {{false, 1, 0, CapsLockMode::Ignore}, 0x22},
        {{false, 0, 1, CapsLockMode::AutoDetect}, 0x88},
        {{true, 1, 2, CapsLockMode::Ignore}, 0x33},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.flags, encodeWedgeFlags(r.c)) << int(r.flags);
        const WedgeChoices back = decodeWedgeFlags(r.flags);
        EXPECT_EQ(r.c.digitKeys, back.digitKeys) << int(r.flags);
        EXPECT_EQ(r.c.shiftLockType, back.shiftLockType) << int(r.flags);
        EXPECT_EQ(r.c.digitLayout, back.digitLayout) << int(r.flags);
        EXPECT_EQ(r.c.capsLock, back.capsLock) << int(r.flags);
    }
    // Read rules for bytes the dialog never writes.
    EXPECT_EQ(CapsLockMode::AutoDetect, decodeWedgeFlags(0x00).capsLock);
    EXPECT_EQ(CapsLockMode::AlwaysOn, decodeWedgeFlags(0x60).capsLock);
    EXPECT_EQ(CapsLockMode::Ignore, decodeWedgeFlags(0xA0).capsLock);
    EXPECT_EQ(0, decodeWedgeFlags(0x1E).shiftLockType);  // both two-bit fields hold 3
    EXPECT_EQ(0, decodeWedgeFlags(0x1E).digitLayout);
}

// Services that also keep the icon of every message box.
class IconRecordingServices : public ui::HeadlessServices {
public:
    ui::Answer messageBox(const ui::MessageBoxRequest& request) override {
        icons.push_back(request.icon);
        return HeadlessServices::messageBox(request);
    }
    std::vector<ui::Icon> icons;
};

class SettingsPageTest : public ::testing::Test {
protected:
    void open() {
        ui.setScript(&script);
        page = std::make_unique<SettingsPage>(ws, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("SETTINGSDLG"), *page,
                                              ui::Dialog::Role::Page);
        dialog->start();
    }
    const TerminalSettings& working() const { return page->pageSettings(); }
    TerminalSettings& stored() { return ws.project.terminal; }
    // The nested dialog the page opened, seen from inside a step.
    ui::Dialog& nested() { return *ui.topmostDialog(); }

    Workspace ws = testing::freshWorkspace();
    IconRecordingServices ui;
    Steps script;
    std::unique_ptr<SettingsPage> page;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(SettingsPageTest, OpeningShowsPasswordProtectionAndTheFirstFnKey) {
    setSlotText(stored().password, "AB12");
    stored().protect[0] = 1;
    stored().protect[11] = 1;
    stored().fnKeys[0] = 5;
    open();
    EXPECT_EQ("AB12", dialog->text(kPassword));
    EXPECT_TRUE(dialog->checked(kProtect));
    EXPECT_FALSE(dialog->checked(kProtect + 1));
    EXPECT_TRUE(dialog->checked(kProtect + 11));
    EXPECT_EQ(10, dialog->itemCount(kFnKey));
    EXPECT_EQ(19, dialog->itemCount(kFunction));
    EXPECT_EQ(0, dialog->selection(kFnKey));
    EXPECT_EQ(5, dialog->selection(kFunction));
    EXPECT_TRUE(testing::boxTexts(ui).empty());
}

TEST_F(SettingsPageTest, PasswordKeepsTenDigitsOrLatinLetters) {
    open();
    struct Row {
        const char* typed;
        const char* kept;
        std::vector<std::string> boxes;
    };
    const Row rows[] = {
        {"1234", "1234", {}},
        {"aZ09", "aZ09", {}},
        {"123-", "123", {"Warning: Invalid character!!!"}},
        {"1 2.3!4", "1234", {"Warning: Invalid character!!!"}},
        {"12345678901", "1234567890", {"Warning: Password is too long!!!"}},
        // Cut first, then the characters left are looked at.
        {"12345-67890", "123456789",
         {"Warning: Password is too long!!!", "Warning: Invalid character!!!"}},
        {"\xcf\xe0\xf0\xee\xeb\xfc", "", {"Warning: Invalid character!!!"}},  // Cyrillic
        {"", "", {}},
    };
    for (const Row& r : rows) {
        ui.clearEvents();
        dialog->userType(kPassword, r.typed);
        EXPECT_EQ(r.kept, dialog->text(kPassword)) << r.typed;
        EXPECT_EQ(r.kept, slotText(working().password)) << r.typed;
        EXPECT_EQ(r.boxes, testing::boxTexts(ui)) << r.typed;
    }
    ui.icons.clear();
    dialog->userType(kPassword, "123456789012");
    EXPECT_EQ(std::vector<ui::Icon>{ui::Icon::Warning}, ui.icons);
}

TEST_F(SettingsPageTest, ProtectBoxesToggleAndSelectAllOrNone) {
    open();
    dialog->userClick(kProtect + 3);
    EXPECT_TRUE(dialog->checked(kProtect + 3));
    EXPECT_EQ(1, working().protect[3]);
    dialog->userClick(kProtect + 3);
    EXPECT_FALSE(dialog->checked(kProtect + 3));
    EXPECT_EQ(0, working().protect[3]);
    dialog->userClick(kSelectAll);
    for (int i = 0; i < kProtectCount; ++i) {
        EXPECT_TRUE(dialog->checked(kProtect + i));
        EXPECT_EQ(1, working().protect[i]);
    }
    dialog->userClick(kSelectNone);
    for (int i = 0; i < kProtectCount; ++i) {
        EXPECT_FALSE(dialog->checked(kProtect + i));
        EXPECT_EQ(0, working().protect[i]);
    }
}

TEST_F(SettingsPageTest, FunctionListFollowsTheChosenFnKey) {
    open();
    dialog->userSelect(kFnKey, 3);
    dialog->userSelect(kFunction, 7);  // "Reader Test"
    EXPECT_EQ(7, working().fnKeys[3]);
    dialog->userSelect(kFnKey, 4);
    EXPECT_EQ(4, page->currentFnKey());
    EXPECT_EQ(0, dialog->selection(kFunction));  // "nil"
    dialog->userSelect(kFnKey, 3);
    EXPECT_EQ(7, dialog->selection(kFunction));
}

TEST_F(SettingsPageTest, PageDefaultsResetWhatThePageEditsAndKeepTheRest) {
    TerminalSettings& t = stored();
    std::memset(&t, 0x07, sizeof t);
    setSlotText(t.password, "Q1");
    setSlotText(t.phoneNumber, "5551234");
    std::memset(&ws.project.wedge, 0x09, sizeof ws.project.wedge);
    open();
    dialog->userSelect(kFnKey, 6);
    dialog->userClick(kDefaults);
    const TerminalSettings& w = working();
    for (int i = 0; i < kProtectCount; ++i) EXPECT_EQ(0, w.protect[i]);
    for (const char c : w.password) EXPECT_EQ(0, c);
    for (const u8 f : w.fnKeys) EXPECT_EQ(0, f);
    EXPECT_EQ(0, w.uploadPort);
    EXPECT_EQ("", slotText(w.phoneNumber));
    EXPECT_EQ('5', w.phoneNumber[1]);  // emptied, not cleared
    EXPECT_EQ(0, w.downloadPort);
    EXPECT_EQ(0, w.terminalBaud);
    EXPECT_EQ(0, w.backlightOn);
    EXPECT_EQ(2, w.backlightSeconds);
    EXPECT_EQ(0, w.autoDelete);
    EXPECT_EQ(1, w.entryMessage);
    EXPECT_EQ(6, w.messageDuration);
    EXPECT_EQ(0x07, w.settingsFlag);
    EXPECT_EQ(0x07, w.startWith);
    EXPECT_EQ(0x07, w.separateFiles);
    EXPECT_EQ(0x07, w.bigFont);
    const WedgeSettings& wedge = page->pageWedge();
    EXPECT_EQ(0, wedge.keyboardType);
    EXPECT_EQ(0, wedge.wedgeFlags);
    EXPECT_EQ(0, wedge.wedgeCharDelay);
    EXPECT_EQ(0, wedge.wedgeTimeout);
    EXPECT_EQ(1, wedge.wedgeAppendCrLf);
    EXPECT_EQ(0x09, wedge.reserved[0]);
    // Shown again from the first FN key.
    EXPECT_EQ(0, page->currentFnKey());
    EXPECT_EQ(0, dialog->selection(kFnKey));
    EXPECT_EQ("", dialog->text(kPassword));
    EXPECT_FALSE(dialog->checked(kProtect));
    // The wedge copy reaches the project only through the wedge dialog.
    EXPECT_EQ(0x09, ws.project.wedge.keyboardType);
}

TEST_F(SettingsPageTest, ApplyWritesBackOnlyTheFieldsThePageEdits) {
    open();
    dialog->userType(kPassword, "777");
    dialog->userClick(kProtect + 5);
    dialog->userSelect(kFnKey, 9);
    dialog->userSelect(kFunction, 18);
    // What other pages store in the same block after this page was created.
    stored().separateFiles = 1;
    stored().startWith = 1;
    stored().separator1 = ';';
    stored().bigFont = 1;
    stored().reserved[10] = 0x42;
    EXPECT_FALSE(ws.modified);
    page->apply(*dialog);
    EXPECT_EQ("777", slotText(stored().password));
    EXPECT_EQ(1, stored().protect[5]);
    EXPECT_EQ(18, stored().fnKeys[9]);
    EXPECT_EQ(1, stored().separateFiles);
    EXPECT_EQ(1, stored().startWith);
    EXPECT_EQ(';', stored().separator1);
    EXPECT_EQ(1, stored().bigFont);
    EXPECT_EQ(0x42, stored().reserved[10]);
    EXPECT_FALSE(ws.modified);
}

TEST_F(SettingsPageTest, SystemSettingsDialogEnablesWhatTheChoicesUse) {
    stored().uploadPort = 0;
    stored().backlightOn = 0;
    stored().entryMessage = 1;
    stored().messageDuration = 6;
    setSlotText(stored().phoneNumber, "");
    script.add([this] {
        ui::Dialog& d = nested();
        EXPECT_EQ("SystemSettingsDlg", d.name());
        EXPECT_EQ(5, d.itemCount(601));
        EXPECT_EQ(4, d.itemCount(602));
        EXPECT_EQ(5, d.itemCount(603));
        EXPECT_EQ(2, d.itemCount(604));
        EXPECT_EQ(2, d.itemCount(605));
        EXPECT_EQ(3, d.itemCount(606));
        EXPECT_FALSE(d.enabled(501));
        EXPECT_FALSE(d.enabled(504));
        EXPECT_TRUE(d.checked(301));
        EXPECT_FALSE(d.checked(302));
        EXPECT_TRUE(d.enabled(506));
        EXPECT_EQ("6", d.text(506));
        return ScriptAction::select(601, 4);  // Modem
    });
    script.add([this] {
        EXPECT_TRUE(nested().enabled(501));
        return ScriptAction::type(501, "0123456789012345678901");
    });
    script.add([this] {
        EXPECT_EQ("01234567890123456789", slotText(working().phoneNumber));
        return ScriptAction::select(601, 2);  // IrDA
    });
    script.add([this] {
        EXPECT_FALSE(nested().enabled(501));
        EXPECT_EQ("01234567890123456789", slotText(working().phoneNumber));
        return ScriptAction::select(604, 1);
    });
    script.add([this] {
        EXPECT_TRUE(nested().enabled(504));
        return ScriptAction::type(504, "7");
    });
    script.add([this] {
        EXPECT_EQ(7, working().backlightSeconds);
        return ScriptAction::type(504, "15");
    });
    script.add([this] {
        EXPECT_EQ(7, working().backlightSeconds);
        EXPECT_EQ("15", nested().text(504));
        return ScriptAction::type(504, "x");
    });
    script.add([this] {
        EXPECT_EQ(1, working().backlightSeconds);
        EXPECT_EQ("1", nested().text(504));
        return ScriptAction::type(506, "99");
    });
    script.add([this] {
        EXPECT_EQ(99, working().messageDuration);
        return ScriptAction::type(506, "100");
    });
    script.add([this] {
        EXPECT_EQ(99, working().messageDuration);
        return ScriptAction::click(302);
    });
    script.add([this] {
        ui::Dialog& d = nested();
        EXPECT_EQ(0, working().messageDuration);
        EXPECT_EQ("0", d.text(506));
        EXPECT_FALSE(d.enabled(506));
        EXPECT_TRUE(d.checked(302));
        EXPECT_FALSE(d.checked(301));
        return ScriptAction::click(301);
    });
    script.add([this] {
        EXPECT_TRUE(nested().enabled(506));
        return ScriptAction::select(606, 0);  // no prompt
    });
    script.add([this] {
        ui::Dialog& d = nested();
        EXPECT_FALSE(d.enabled(301));
        EXPECT_FALSE(d.enabled(302));
        EXPECT_FALSE(d.enabled(506));
        return ScriptAction::select(606, 2);
    });
    script.add([this] {
        EXPECT_TRUE(nested().enabled(506));
        return ScriptAction::select(603, 4);
    });
    script.add(ScriptAction::select(602, 3));
    script.add(ScriptAction::select(605, 1));
    script.add(ScriptAction::ok());
    open();
    dialog->userClick(kSystem);
    EXPECT_TRUE(script.done());
    const TerminalSettings& w = working();
    EXPECT_EQ(2, w.uploadPort);
    EXPECT_EQ(3, w.downloadPort);
    EXPECT_EQ(4, w.terminalBaud);
    EXPECT_EQ(1, w.backlightOn);
    EXPECT_EQ(1, w.autoDelete);
    EXPECT_EQ(2, w.entryMessage);
    EXPECT_EQ(0, stored().uploadPort);  // only the page's copy until the sheet's OK
}

TEST_F(SettingsPageTest, SystemSettingsCancelRestoresEveryFieldItChanged) {
    setSlotText(stored().phoneNumber, "112");
    stored().uploadPort = 4;
    stored().messageDuration = 0;
    open();
    const TerminalSettings before = working();
    EXPECT_FALSE(before.messageDuration);
    script.add([this] {
        EXPECT_TRUE(nested().checked(302));
        EXPECT_FALSE(nested().enabled(506));
        EXPECT_TRUE(nested().enabled(501));
        return ScriptAction::type(501, "999");
    });
    script.add(ScriptAction::select(601, 1));
    script.add(ScriptAction::select(603, 2));
    script.add(ScriptAction::select(604, 1));
    script.add(ScriptAction::type(504, "8"));
    script.add(ScriptAction::click(301));
    script.add(ScriptAction::type(506, "40"));
    script.add([this] {
        EXPECT_EQ("999", slotText(working().phoneNumber));
        EXPECT_EQ(40, working().messageDuration);
        return ScriptAction::cancel();
    });
    dialog->userClick(kSystem);
    EXPECT_EQ(0, std::memcmp(&before, &working(), sizeof before));
    EXPECT_EQ("112", slotText(working().phoneNumber));
}

TEST_F(SettingsPageTest, WedgeDialogStoresItsBitsIntoTheProjectAtOnce) {
    ws.project.wedge.wedgeAppendCrLf = 1;
    ws.project.wedge.reserved[3] = 0x33;
    script.add([this] {
        ui::Dialog& d = nested();
        EXPECT_EQ("KeyboardWedgeDlg", d.name());
        EXPECT_EQ(32, d.itemCount(601));
        EXPECT_EQ(0, d.selection(601));
        EXPECT_EQ("0", d.text(501));
        EXPECT_TRUE(d.checked(301));
        EXPECT_TRUE(d.checked(304));
        EXPECT_TRUE(d.checked(307));  // no caps-lock bit set: detected
        EXPECT_TRUE(d.checked(102));
        EXPECT_FALSE(d.checked(101));
        return ScriptAction::click(303);  // "Цифры вверху"
    });
    script.add(ScriptAction::click(306));  // "Shift-lock клавиатура"
    script.add(ScriptAction::click(308));  // "Всегда нажата"
    script.add(ScriptAction::click(101));
    script.add(ScriptAction::click(102));
    script.add(ScriptAction::select(601, 31));
    script.add(ScriptAction::type(501, "300"));
    script.add(ScriptAction::type(502, "abc"));
    script.add([this] {
        EXPECT_EQ("0", nested().text(502));
        EXPECT_FALSE(nested().checked(307));
        EXPECT_EQ(0, ws.project.wedge.wedgeFlags);  // nothing stored before OK
        return ScriptAction::ok();
    });
    open();
    dialog->userClick(kWedge);
    const WedgeSettings& w = ws.project.wedge;
    EXPECT_EQ(0x55, w.wedgeFlags);
    EXPECT_EQ(31, w.keyboardType);
    EXPECT_EQ(255, w.wedgeCharDelay);
    EXPECT_EQ(0, w.wedgeTimeout);
    EXPECT_EQ(0, w.wedgeAppendCrLf);
    EXPECT_EQ(0x33, w.reserved[3]);
    EXPECT_TRUE(ws.modified);
    EXPECT_EQ(0x55, page->pageWedge().wedgeFlags);
}

TEST_F(SettingsPageTest, WedgeDialogShowsTheStoredBitsAndItsSecondButtonStoresNothing) {
    ws.project.wedge.keyboardType = 12;
    ws.project.wedge.wedgeFlags = 0x2B;  // digit keys, capital-lock, digits below, ignore
    ws.project.wedge.wedgeCharDelay = 17;
    ws.project.wedge.wedgeTimeout = 200;
    const WedgeSettings before = ws.project.wedge;
    script.add([this] {
        ui::Dialog& d = nested();
        EXPECT_EQ(12, d.selection(601));
        EXPECT_EQ("17", d.text(501));
        EXPECT_EQ("200", d.text(502));
        EXPECT_TRUE(d.checked(101));
        EXPECT_TRUE(d.checked(302));
        EXPECT_TRUE(d.checked(305));
        EXPECT_TRUE(d.checked(309));
        return ScriptAction::click(303);
    });
    script.add(ScriptAction::cancel());
    open();
    dialog->userClick(kWedge);
    EXPECT_EQ(0, std::memcmp(&before, &ws.project.wedge, sizeof before));
    EXPECT_FALSE(ws.modified);
}

// The whole sheet: a change made on another page survives this page's write-back,
// and the wedge dialog's store survives the sheet's cancel.
class SettingsSheetTest : public ::testing::Test {
protected:
    EditorOutcome run() {
        ui.setScript(&script);
        return runEditor(ws, ui, {});
    }
    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    Steps script;
};

TEST_F(SettingsSheetTest, StartupFieldsChangedInTheSameOpeningAreNotOverwritten) {
    script.add(ScriptAction::page("SETTINGSDLG"));
    script.add(ScriptAction::type(kPassword, "42"));
    script.add(ScriptAction::page("STARTUPDLG"));
    script.add(ScriptAction::select(690, 1));  // start with menu 1
    script.add(ScriptAction::select(601, 2));
    script.add(ScriptAction::type(502, "59"));
    script.add(ScriptAction::click(101));  // big font
    script.add(ScriptAction::ok());
    ASSERT_TRUE(run().applied);
    const TerminalSettings& t = ws.project.terminal;
    EXPECT_EQ("42", slotText(t.password));
    EXPECT_EQ(1, t.startWith);
    EXPECT_EQ(',', t.separator1);
    EXPECT_EQ(';', t.separator2);
    EXPECT_EQ(1, t.bigFont);
}

TEST_F(SettingsSheetTest, WedgeStoreStaysWhenTheSheetIsCancelled) {
    script.add(ScriptAction::page("SETTINGSDLG"));
    script.add(ScriptAction::type(kPassword, "42"));
    script.add(ScriptAction::click(kWedge));
    script.add(ScriptAction::click(309));
    script.add(ScriptAction::ok());
    script.add(ScriptAction::cancel());
    EXPECT_FALSE(run().applied);
    EXPECT_EQ(0x20, ws.project.wedge.wedgeFlags);
    EXPECT_EQ("", slotText(ws.project.terminal.password));
    EXPECT_TRUE(ws.modified);
}

}  // namespace
}  // namespace appgen::editor
