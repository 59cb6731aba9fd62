#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/barcode_page.h"
#include "editor/editor_sheet.h"
#include "editor_harness.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

constexpr int kTimeout = 501, kScanMode = 601, kRedundancy = 602, kReset = 224;

// Each page check box and the bit it stands for, as the reader's block lays them out.
struct CheckBit {
    int id;
    const char* text;
    int byte;
    int bit;
};
const CheckBit kChecks[] = {
    {101, "Code 39", 0, 7},          {102, "Italian  Pharmacode", 0, 6},
    {103, "French  Pharmacode", 0, 5}, {104, "Industrial 25", 0, 4},
    {105, "Interleave 25", 0, 3},    {106, "Matrix 25", 0, 2},
    {107, "Codabar", 0, 1},          {108, "MSI", 2, 5},
    {109, "Plessey", 2, 4},          {110, "Code 93", 0, 0},
    {111, "Code 128", 1, 7},         {113, "UPCE", 1, 6},
    {114, "UPCE  Addon 2", 1, 5},    {115, "UPCE  Addon 5", 1, 4},
    {116, "EAN8", 1, 3},             {117, "EAN8  Addon 2", 1, 2},
    {118, "EAN8  Addon 5", 1, 1},    {119, "EAN13  &&  UPCA", 1, 0},
    {120, "EAN13  Addon 2", 2, 7},   {121, "EAN13  Addon 5", 2, 6},
    {122, "Штрихкод с инверсией", 11, 4}, {123, "Telepen", 2, 2},
};

class BarcodePageTest : public ::testing::Test {
protected:
    void open() {
        page = std::make_unique<BarcodePage>(ws, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("BARCODESETTINGDLG"), *page,
                                              ui::Dialog::Role::Page);
        dialog->start();
    }
    u8* bytes() { return ws.project.barcode.bytes; }

    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    std::unique_ptr<BarcodePage> page;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(BarcodePageTest, AFreshProjectShowsTheDefaults) {
    open();
    const ui::ControlState* modes = dialog->control(kScanMode);
    ASSERT_EQ(9u, modes->items.size());
    EXPECT_EQ(cp("Автогашение"), modes->items[0]);
    EXPECT_EQ(cp("Альтернативный"), modes->items[3]);
    EXPECT_EQ(cp("Прицеливание"), modes->items[8]);
    EXPECT_EQ(cp("Лазерный"), modes->items[modes->selected]);
    const ui::ControlState* redundancy = dialog->control(kRedundancy);
    ASSERT_EQ(4u, redundancy->items.size());
    EXPECT_EQ(cp("Три раза"), redundancy->items[3]);
    EXPECT_EQ(cp("Нет"), redundancy->items[redundancy->selected]);
    EXPECT_EQ("3", dialog->text(kTimeout));
    const std::set<int> onByDefault{101, 104, 105, 107, 110, 111, 113, 116, 119};
    for (const CheckBit& c : kChecks)
        EXPECT_EQ(onByDefault.count(c.id) == 1, dialog->checked(c.id)) << c.text;
}

TEST_F(BarcodePageTest, EachCheckBoxStoresItsOwnBitOnly) {
    for (const u8 fill : {u8{0x00}, u8{0xFF}}) {
        for (const CheckBit& c : kChecks) {
            SCOPED_TRACE(c.text);
            std::memset(bytes(), fill, sizeof ws.project.barcode);
            BarcodeSettings want = ws.project.barcode;
            want.bytes[c.byte] ^= static_cast<u8>(1u << c.bit);
            open();
            EXPECT_EQ(fill != 0, dialog->checked(c.id));
            dialog->userClick(c.id);
            EXPECT_EQ(fill == 0, dialog->checked(c.id));
            // Nothing is stored before the sheet's OK.
            EXPECT_EQ(fill, bytes()[c.byte]);
            page->apply(*dialog);
            EXPECT_EQ(0, std::memcmp(&want, &ws.project.barcode, sizeof want));
        }
    }
}

TEST_F(BarcodePageTest, ListsAndTimeOutGoToTheirBitsKeepingTheRest) {
    bytes()[20] = 0x6A;  // low nibble not the page's
    bytes()[11] = 0xF3;
    open();
    dialog->userSelect(kScanMode, 8);
    dialog->userSelect(kRedundancy, 2);
    dialog->userType(kTimeout, "300");
    page->apply(*dialog);
    EXPECT_EQ(0x8A, bytes()[20]);
    EXPECT_EQ(0xFB, bytes()[11]);  // bits 3-2 = 2; bit 4 (inverted) stays as its box showed it
    EXPECT_EQ(300 % 256, bytes()[21]);

    struct Row {
        const char* typed;
        const char* shown;
        int stored;
    };
    const Row rows[] = {{"255", "255", 255}, {"abc", "0", 0}, {"", "", 0},
                        {" 7", " 7", 7},     {"4294967296", "4294967296", 99}};
    for (const Row& r : rows) {
        dialog->userType(kTimeout, r.typed);
        EXPECT_EQ(r.shown, dialog->text(kTimeout)) << r.typed;
        bytes()[21] = 99;
        page->apply(*dialog);
        EXPECT_EQ(r.stored, bytes()[21]) << r.typed;
    }
}

TEST_F(BarcodePageTest, AScanModePastTheListIsKeptWhenNothingIsChosen) {
    bytes()[20] = 0xC5;
    open();
    EXPECT_EQ(-1, dialog->selection(kScanMode));
    page->apply(*dialog);
    EXPECT_EQ(0xC5, bytes()[20]);
}

TEST_F(BarcodePageTest, ResetWritesTheDefaultsAtOnceKeepingItsBitsAndMarksTheProject) {
    std::memset(bytes(), 0xFF, sizeof ws.project.barcode);
    bytes()[2] = 0x00;
    bytes()[7] = 0x00;
    bytes()[11] = 0x00;
    bytes()[2] |= 0x01;
    bytes()[7] |= 0x05;
    bytes()[11] |= 0x20;
    open();
    dialog->userClick(101);  // a pending choice the reset drops
    dialog->userType(kTimeout, "77");
    dialog->userClick(kReset);

    Project want{};
    std::memcpy(want.barcode.bytes, ws.project.barcode.bytes, sizeof want.barcode);
    resetBarcodeSettings(want);
    EXPECT_EQ(0, std::memcmp(&want.barcode, &ws.project.barcode, sizeof want.barcode));
    EXPECT_EQ(0x9B, bytes()[0]);
    EXPECT_EQ(0x01, bytes()[2] & 0x01);
    EXPECT_EQ(0x85, bytes()[7]);
    EXPECT_EQ(0x20, bytes()[11]);
    EXPECT_EQ(0xFF, bytes()[3]);  // not the reset's
    EXPECT_TRUE(ws.modified);
    // The controls show what is stored now.
    EXPECT_TRUE(dialog->checked(101));
    EXPECT_EQ("3", dialog->text(kTimeout));
    EXPECT_EQ(6, dialog->selection(kScanMode));
    EXPECT_EQ(0, dialog->selection(kRedundancy));
}

TEST_F(BarcodePageTest, EachButtonOpensItsDialog) {
    const std::pair<int, const char*> rows[] = {
        {201, "Code39Dlg"},       {202, "ItalyPharmaDlg"},  {203, "FrenchPharmaDlg"},
        {204, "Industrial25Dlg"}, {205, "Interleave25Dlg"}, {206, "Matrix25Dlg"},
        {207, "CodabarDlg"},      {208, "MSIDlg"},          {209, "PlesseyDlg"},
        {213, "UPCEDlg"},         {216, "EAN8Dlg"},         {219, "EAN13Dlg"},
        {223, "TelepenDlg"},
    };
    open();
    for (const auto& [button, name] : rows) {
        ui.clearEvents();
        dialog->userClick(button);  // no script: the dialog closes at once, storing nothing
        EXPECT_EQ(std::vector<std::string>{name}, testing::openedDialogs(ui)) << button;
    }
    EXPECT_FALSE(ws.modified);
}

// The whole sheet: the page's own choices wait for OK, a symbology dialog's do not.
struct SheetRun {
    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    Steps script;

    EditorOutcome run() {
        ui.setScript(&script);
        return runEditor(ws, ui, {});
    }
};

TEST(BarcodePageInSheet, CancelDropsThePagesChoicesButKeepsADialogsWrite) {
    SheetRun s;
    const BarcodeSettings before = s.ws.project.barcode;
    s.script.add(ScriptAction::page("BARCODESETTINGDLG"));
    s.script.add(ScriptAction::click(101));
    s.script.add(ScriptAction::select(kScanMode, 1));
    s.script.add(ScriptAction::cancel());
    s.run();
    EXPECT_EQ(0, std::memcmp(&before, &s.ws.project.barcode, sizeof before));
    EXPECT_FALSE(s.ws.modified);

    SheetRun t;
    t.script.add(ScriptAction::page("BARCODESETTINGDLG"));
    t.script.add(ScriptAction::click(101));
    t.script.add(ScriptAction::click(201));
    t.script.add(ScriptAction::click(104));  // Code 39 Full ASCII on
    t.script.add(ScriptAction::ok());
    t.script.add(ScriptAction::cancel());
    t.run();
    EXPECT_EQ(before.bytes[0], t.ws.project.barcode.bytes[0]);
    EXPECT_EQ(before.bytes[5] | 0x10, t.ws.project.barcode.bytes[5]);
    EXPECT_TRUE(t.ws.modified);  // the unsaved-changes question now covers it
}

TEST(BarcodePageInSheet, OkStoresThePageAndADialogsWriteTogether) {
    SheetRun s;
    s.script.add(ScriptAction::page("BARCODESETTINGDLG"));
    s.script.add(ScriptAction::click(101));  // Code 39 off
    s.script.add(ScriptAction::click(122));  // inverted on
    s.script.add(ScriptAction::select(kRedundancy, 3));
    s.script.add(ScriptAction::click(207));
    s.script.add(ScriptAction::click(305));  // Codabar: "ABCD / TN*E"
    s.script.add(ScriptAction::ok());
    s.script.add(ScriptAction::ok());
    EXPECT_TRUE(s.run().applied);
    const u8* b = s.ws.project.barcode.bytes;
    EXPECT_EQ(0x1B, b[0]);
    EXPECT_EQ(0x1C, b[11]);
    EXPECT_EQ(0xB8, b[7]);
}

}  // namespace
}  // namespace appgen::editor
