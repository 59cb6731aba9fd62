#include <gtest/gtest.h>

#include <cstring>

#include "editor/field_properties.h"
#include "editor_harness.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

// AdvanceDlg or LookupAdvanceDlg run directly over a working copy of fresh forms.
template <typename Handler>
class PropertiesTest : public ::testing::Test {
protected:
    PropertiesTest() {
        const Workspace ws = testing::freshWorkspace();
        std::memcpy(state.work, ws.project.forms, sizeof state.work);
        state.currentForm = 2;
        state.selectedLine = 3;
    }
    FormDef& line() { return state.work[2]; }
    void open(const char* name) {
        handler = std::make_unique<Handler>(state, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate(name), *handler);
        dialog->start();
    }

    FormPageState state;
    ui::HeadlessServices ui;
    std::unique_ptr<Handler> handler;
    std::unique_ptr<ui::Dialog> dialog;
};

using AdvanceTest = PropertiesTest<AdvanceDialog>;
using LookupAdvanceTest = PropertiesTest<LookupAdvanceDialog>;
constexpr int L = 3;

TEST_F(AdvanceTest, OpeningCorrectsThePartialCodeOkKeepsItCancelUndoesIt) {
    line().partialStart[L] = 0;
    line().partialLen[L] = 0;
    open("AdvanceDlg");
    EXPECT_EQ("3", dialog->text(401));
    EXPECT_EQ("4", dialog->text(402));
    EXPECT_EQ("1", dialog->text(512));
    EXPECT_EQ("50", dialog->text(513));
    dialog->userCancel();
    EXPECT_EQ(0, line().partialStart[L]);
    EXPECT_EQ(0, line().partialLen[L]);

    open("AdvanceDlg");
    dialog->userClick(111);
    dialog->userType(512, "0");
    dialog->userType(513, "77");
    dialog->userOk();
    EXPECT_EQ(1, dialog->result());
    EXPECT_EQ(1, line().partialOn[L]);
    EXPECT_EQ(1, line().partialStart[L]);
    EXPECT_EQ(50, line().partialLen[L]);
}

TEST_F(AdvanceTest, NumberAndTextBoxesStoreByTheirOwnRules) {
    open("AdvanceDlg");
    dialog->userClick(101);
    dialog->userClick(102);
    dialog->userClick(105);
    dialog->userClick(111);
    struct Row {
        int id;
        const char* typed;
        const char* shown;
        const u8* field;
        int stored;
    };
    const FormDef& f = line();
    const Row rows[] = {
        {501, "12", "12", &f.fixedLen[L], 12},  {501, "abc", "1", &f.fixedLen[L], 1},
        {501, "", "", &f.fixedLen[L], 0},       {501, "300", "300", &f.fixedLen[L], 44},
        {512, "x", "1", &f.partialStart[L], 1}, {512, "260", "260", &f.partialStart[L], 4},
        {513, "x", "0", &f.partialLen[L], 0},   {513, "", "", &f.partialLen[L], 0},
        {513, "9", "9", &f.partialLen[L], 9},   {505, "*#", "*#", &f.inputMark[L], '*'},
        {505, "", "", &f.inputMark[L], 0},       {501, "12345678901", "12345678901", &f.fixedLen[L], 44},
    };
    for (const Row& r : rows) {
        dialog->userType(r.id, r.typed);
        EXPECT_EQ(r.shown, dialog->text(r.id)) << r.id << " " << r.typed;
        EXPECT_EQ(r.stored, *r.field) << r.id << " " << r.typed;
    }
    dialog->userType(502, "0123456789AB");
    EXPECT_EQ("012345678", slotText(f.initialValue[L]));
}

TEST_F(AdvanceTest, CodePrefixOfSixFillsItsSlotAndSevenAreCutInTheBox) {
    setSlotText(line().checkPrefix[L + 1], "next");
    open("AdvanceDlg");
    dialog->userClick(114);
    dialog->userType(514, "ABCDEF");
    EXPECT_EQ(0, std::memcmp("ABCDEF", line().checkPrefix[L], 6));
    EXPECT_EQ("next", slotText(line().checkPrefix[L + 1]));
    dialog->userType(514, "abcdefgh");
    EXPECT_EQ("abcdef", dialog->text(514));
    EXPECT_EQ(0, std::memcmp("abcdef", line().checkPrefix[L], 6));
    dialog->userType(514, "ab");
    EXPECT_EQ("ab", slotText(line().checkPrefix[L]));
}

TEST_F(AdvanceTest, EachCheckBoxFlipsItsFieldAndEnablesItsBoxes) {
    open("AdvanceDlg");
    struct Row {
        int check;
        std::vector<int> boxes;
        const u8* field;  // nullptr: the marking flag
    };
    const FormDef& f = line();
    const Row rows[] = {
        {101, {501, 601}, &f.fixedLenOn[L]}, {102, {502}, &f.initialOn[L]},
        {103, {503}, &f.prefixOn[L]},        {104, {504}, &f.suffixOn[L]},
        {105, {505}, nullptr},               {111, {512, 513}, &f.partialOn[L]},
        {114, {514}, &f.checkPrefixOn[L]},
    };
    for (const Row& r : rows) {
        for (const bool on : {true, false}) {
            dialog->userClick(r.check);
            EXPECT_EQ(on, dialog->checked(r.check)) << r.check;
            for (const int box : r.boxes) EXPECT_EQ(on, dialog->enabled(box)) << r.check << "/" << box;
            const bool stored = r.field ? *r.field == 1 : state.marking[2][L];
            EXPECT_EQ(on, stored) << r.check;
        }
    }
    EXPECT_TRUE(dialog->enabled(615));
}

TEST_F(AdvanceTest, MarkingSwitchedOffClearsTheMarkOnOkThoughTheBoxShowsIt) {
    line().inputMark[L] = '#';
    open("AdvanceDlg");
    EXPECT_TRUE(dialog->checked(105));
    EXPECT_EQ("#", dialog->text(505));
    dialog->userClick(105);
    dialog->userOk();
    EXPECT_EQ("#", dialog->text(505));
    EXPECT_EQ(0, line().inputMark[L]);
}

TEST_F(AdvanceTest, PrefixOfTenBytesFromTheTableIsStoredWithoutTerminator) {
    Steps script;
    ui.setScript(&script);
    setSlotText(line().suffix[L + 1], "keep");
    open("AdvanceDlg");
    dialog->userClick(103);
    script.add([this] {
        ui.topmostDialog()->setPixelSize(401, 340, 170);
        return ScriptAction::clickAt(401, 2 * 20 + 3, 11 * 10 + 3);  // 0x1A, SUB
    });
    for (int k = 0; k < 9; ++k) script.add(ScriptAction::clickAt(401, 2 * 20 + 3, 11 * 10 + 3));
    script.add(ScriptAction::ok());
    dialog->userClick(503);
    EXPECT_EQ(0, line().prefix[L][0]);  // only OK of the properties copies the buffer
    dialog->userOk();
    EXPECT_EQ(std::string(10, '\x1A'), std::string(line().prefix[L], 10));
    EXPECT_EQ("keep", slotText(line().suffix[L + 1]));
    EXPECT_TRUE(script.done());
}

TEST_F(AdvanceTest, TypingIntoAPickerBoxStoresNothing) {
    setSlotBytes(line().prefix[L], "\x02");
    open("AdvanceDlg");
    EXPECT_EQ("[STX]", dialog->text(503));
    dialog->userClick(103);
    dialog->userType(503, "zz");
    dialog->userOk();
    EXPECT_EQ("\x02", slotText(line().prefix[L]));
}

TEST_F(AdvanceTest, CancelRestoresTheWholeForm) {
    const FormDef before = line();
    open("AdvanceDlg");
    dialog->userClick(101);
    dialog->userType(501, "9");
    dialog->userSelect(615, 2);
    dialog->userSelect(601, 3);
    dialog->userCancel();
    EXPECT_EQ(0, dialog->result());
    EXPECT_EQ(0, std::memcmp(&before, &line(), sizeof before));
}

TEST_F(LookupAdvanceTest, SaveDataGovernsTheOtherChecksButNotTheirBoxes) {
    line().fixedLenOn[L] = 1;
    line().inputMark[L] = 'm';
    open("LookupAdvanceDlg");
    EXPECT_EQ(cp("Left aligned (padded with space)"), dialog->control(602)->items[0]);
    for (const int id : {102, 103, 104}) EXPECT_FALSE(dialog->enabled(id)) << id;
    EXPECT_TRUE(dialog->checked(102));
    EXPECT_TRUE(dialog->enabled(502));
    EXPECT_TRUE(dialog->enabled(602));
    dialog->userClick(101);
    EXPECT_EQ(1, line().initialOn[L]);
    for (const int id : {102, 103, 104}) EXPECT_TRUE(dialog->enabled(id)) << id;
    dialog->userClick(102);
    EXPECT_FALSE(dialog->enabled(502));
    EXPECT_EQ(0, line().fixedLenOn[L]);
    dialog->userClick(104);
    EXPECT_TRUE(dialog->enabled(504));
    dialog->userOk();
    EXPECT_EQ(0, line().inputMark[L]);  // a lookup line never has one
}

TEST_F(LookupAdvanceTest, ResetButtonCancelsToTheBackup) {
    const FormDef before = line();
    open("LookupAdvanceDlg");
    dialog->userClick(101);
    dialog->userClick(102);
    dialog->userType(502, "abc");
    EXPECT_EQ("1", dialog->text(502));
    dialog->userClick(2);
    EXPECT_TRUE(dialog->ended());
    EXPECT_EQ(0, std::memcmp(&before, &line(), sizeof before));
}

}  // namespace
}  // namespace appgen::editor
