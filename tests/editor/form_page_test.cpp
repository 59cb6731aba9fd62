#include <gtest/gtest.h>

#include <cstring>

#include "editor/editor_sheet.h"
#include "editor/form_page.h"
#include "editor_harness.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

constexpr int kFormChoice = 690, kFont = 691, kReset = 211, kStamp = 210;
constexpr int kMore = 201, kPrompt = 501, kMinLen = 511, kMaxLen = 521;
constexpr int kType = 601, kSource = 611, kSearchIn = 621;

class FormPageTest : public ::testing::Test {
protected:
    void open() {
        page = std::make_unique<FormPage>(ws, ui, [this] { ++simulatorResets; });
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("FORMDLG"), *page,
                                              ui::Dialog::Role::Page);
        dialog->start();
    }
    FormDef& stored(int form = 0) { return ws.project.forms[form]; }
    const FormDef& working(int form = 0) const { return page->state().work[form]; }

    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    std::unique_ptr<FormPage> page;
    std::unique_ptr<ui::Dialog> dialog;
    int simulatorResets = 0;
};

TEST_F(FormPageTest, ListsHoldTheirEntriesInCodeOrder) {
    open();
    const ui::ControlState* target = dialog->control(693);
    ASSERT_EQ(21u, target->items.size());
    EXPECT_EQ(cp("Глав.Меню"), target->items[0]);
    EXPECT_EQ(cp("форма 10"), target->items[10]);
    EXPECT_EQ(cp("меню  1"), target->items[11]);
    EXPECT_EQ(1, target->selected);  // form 1 goes on to itself
    const ui::ControlState* search = dialog->control(kSearchIn);
    ASSERT_EQ(25u, search->items.size());
    EXPECT_EQ(cp("-поле 1"), search->items[9]);
    EXPECT_EQ(cp("+поле 8"), search->items[24]);
    EXPECT_EQ(13, dialog->itemCount(kType));
    EXPECT_EQ(cp("расширение"), dialog->control(kType)->items[12]);
    EXPECT_EQ(6, dialog->itemCount(695));
    EXPECT_EQ(0, dialog->selection(kFormChoice));
    EXPECT_EQ("50", dialog->text(kMaxLen));
}

TEST_F(FormPageTest, PromptsAreCutToTheFontsLimitWhenTypedAndWhenShown) {
    stored(1).font = 1;
    setSlotText(stored(1).prompt[0], std::string(20, 'p'));
    open();
    struct Row {
        int form;
        const char* typed;
        const char* kept;
    };
    const Row rows[] = {
        {0, "short", "short"},
        {0, "exactly twenty chars", "exactly twenty chars"},
        {0, "twenty-one characters", "twenty-one character"},
        {1, "fifteen chars..", "fifteen chars.."},
        {1, "sixteen chars...", "sixteen chars.."},
    };
    dialog->userSelect(kType, kLineText);
    for (const Row& r : rows) {
        dialog->userSelect(kFormChoice, r.form);
        dialog->userSelect(kType, kLineText);
        dialog->userType(kPrompt, r.typed);
        EXPECT_EQ(r.kept, dialog->text(kPrompt)) << r.typed;
        EXPECT_EQ(r.kept, slotText(working(r.form).prompt[0])) << r.typed;
    }
    // Shown on a big-font form, a 20-character prompt is cut at once.
    setSlotText(stored(2).prompt[1], std::string(20, 'q'));
    stored(2).font = 1;
    open();
    dialog->userSelect(kFormChoice, 2);
    EXPECT_EQ(std::string(15, 'q'), dialog->text(kPrompt + 1));
    EXPECT_EQ(std::string(15, 'q'), slotText(working(2).prompt[1]));
    // Switching the font does not cut what is stored until the box changes.
    dialog->userSelect(kFormChoice, 0);
    dialog->userSelect(kType + 2, kLineText);
    dialog->userType(kPrompt + 2, std::string(20, 'r'));
    dialog->userSelect(kFont, 1);
    EXPECT_EQ(15, page->promptLimit());
    EXPECT_EQ(std::string(20, 'r'), slotText(working(0).prompt[2]));
}

TEST_F(FormPageTest, LengthBoxesIgnoreBigNumbersAndReplaceWhatIsNotANumber) {
    stored(3).lineType[4] = kLineLogical;
    stored(3).minLen[4] = 0;
    stored(3).maxLen[4] = 30;
    open();
    dialog->userSelect(kType, kLineInteger);
    struct Row {
        const char* typed;
        const char* shown;
        int stored;
    };
    const Row rows[] = {
        {"12", "12", 12}, {"50", "50", 50}, {"60", "60", 50}, {"abc", "0", 0},
        {" 7 ", " 7 ", 7}, {"", "", 0},     {"51", "51", 0},  {"4294967296", "4294967296", 0},
        // A mistyped long number is a number above the bound, not "not a number".
        {"12", "12", 12}, {"12345678901", "12345678901", 12},
    };
    for (const Row& r : rows) {
        dialog->userType(kMaxLen, r.typed);
        EXPECT_EQ(r.shown, dialog->text(kMaxLen)) << r.typed;
        EXPECT_EQ(r.stored, working().maxLen[0]) << r.typed;
    }
    // A logical line stores 1 whatever its boxes hold, once they are filled.
    EXPECT_EQ(30, working(3).maxLen[4]);
    dialog->userSelect(kFormChoice, 3);
    EXPECT_EQ(1, working(3).minLen[4]);
    EXPECT_EQ(1, working(3).maxLen[4]);
}

TEST_F(FormPageTest, LineRuleEnablesWhatEachTypeUses) {
    open();
    // prompt, "Еще...", source, search-in, minimum, maximum
    const char* expected[13] = {"000000", "111111", "111111", "111111", "111111", "111111",
                                "111100", "110100", "110000", "100000", "100000", "100000",
                                "000000"};
    for (int t = 0; t <= 12; ++t) {
        dialog->userSelect(kType + 2, t);
        std::string got;
        for (const int base : {kPrompt, kMore, kSource, kSearchIn, kMinLen, kMaxLen})
            got += dialog->enabled(base + 2) ? '1' : '0';
        EXPECT_EQ(expected[t], got) << "type " << t;
    }
}

TEST_F(FormPageTest, BigFontDisablesLinesFiveToEightButKeepsTheirData) {
    for (int i = 0; i < 8; ++i) stored().lineType[i] = kLineText;
    open();
    dialog->userSelect(kFont, 1);
    for (int i = 0; i < 8; ++i) {
        const bool on = i < 4;
        for (const int base : {kType, kPrompt, kSource, kMinLen, kMaxLen, kSearchIn, kMore})
            EXPECT_EQ(on, dialog->enabled(base + i)) << "line " << i + 1 << " control " << base + i;
    }
    EXPECT_EQ(kLineText, working().lineType[6]);
    dialog->userSelect(kFont, 0);
    EXPECT_TRUE(dialog->enabled(kType + 6));
    EXPECT_TRUE(dialog->enabled(kMaxLen + 6));
    dialog->userSelect(kType + 7, kLineLabel);
    dialog->userSelect(kFont, 1);
    page->apply(*dialog);
    EXPECT_EQ(kLineEmpty, stored().lineType[6]);  // normalised away with the big font
    EXPECT_EQ(kLineText, stored().lineType[3]);
}

TEST_F(FormPageTest, ATypeOutsideOneToEightClearsInitialValueAndInputMark) {
    for (const u8 type : {kLineLabel, kLineEmpty, kLineContinuation, kLineLookup}) {
        stored().lineType[2] = kLineText;
        stored().initialOn[2] = 1;
        setSlotText(stored().initialValue[2], "abc");
        stored().inputMark[2] = '*';
        open();
        dialog->userSelect(kType + 2, type);
        const bool kept = type == kLineLookup;
        EXPECT_EQ(kept, working().initialOn[2] == 1) << int(type);
        EXPECT_EQ(kept ? "abc" : "", slotText(working().initialValue[2])) << int(type);
        EXPECT_EQ(kept ? '*' : 0, working().inputMark[2]) << int(type);
    }
}

TEST_F(FormPageTest, ResetGivesEveryFormThePageDefaults) {
    for (FormDef& f : ws.project.forms) {
        std::memset(&f, 0x5A, sizeof f);
    }
    open();
    dialog->userSelect(kFormChoice, 4);
    dialog->userClick(kReset);
    EXPECT_EQ(0, dialog->selection(kFormChoice));
    for (int k = 0; k < kFormCount; ++k) {
        const FormDef& f = working(k);
        EXPECT_EQ(1, f.nextTarget) << k;
        EXPECT_EQ(0, f.font);
        EXPECT_EQ("/", slotText(f.stampDateSep));
        EXPECT_EQ(20, f.partialLen[7]);
        EXPECT_EQ(1, f.autoEnter[0]);
        EXPECT_EQ(2, f.source[5]);
        EXPECT_EQ(0, f.prefix[3][9]);
        EXPECT_EQ(0, f.lineText[7][49]);
        EXPECT_EQ(0, f.lastInputLine);
        EXPECT_EQ(0, f.currentLine);
        EXPECT_EQ(0x5A, f.reserved[0]);
        EXPECT_EQ(0x5A, f.reserved[199]);
    }
    EXPECT_EQ("50", dialog->text(kMaxLen));
}

TEST_F(FormPageTest, ApplyWritesBackMarksModifiedNormalisesAndResetsTheSimulator) {
    stored().lineType[0] = kLineText;
    stored().minLen[0] = 40;
    stored().maxLen[0] = 20;  // normalising brings the minimum down
    open();
    EXPECT_FALSE(ws.modified);
    page->apply(*dialog);
    EXPECT_TRUE(ws.modified);
    EXPECT_EQ(1, simulatorResets);
    EXPECT_EQ(20, stored().minLen[0]);
}

TEST_F(FormPageTest, EditsOnOtherFormsStayInTheWorkingCopyOnly) {
    const Project before = ws.project;
    open();
    dialog->userSelect(kFormChoice, 5);
    dialog->userSelect(kType + 1, kLineDecimal);
    dialog->userSelect(kFormChoice, 0);
    dialog->userSelect(kFormChoice, 5);
    EXPECT_EQ(kLineDecimal, dialog->selection(kType + 1));
    EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
}

// The sheet with its nested dialogs, driven as a user would.
class EditorTest : public ::testing::Test {
protected:
    EditorOutcome run() {
        ui.setScript(&script);
        return runEditor(ws, ui, {[this] { ++simulatorResets; }});
    }
    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    Steps script;
    int simulatorResets = 0;
};

TEST_F(EditorTest, SixPagesInOrderAndOkWithoutEditsStillAppliesTheFormPage) {
    script.add([this] {
        ui::PropertySheet* sheet = ui.topmostSheet();
        EXPECT_EQ(cp("Application Generator"), sheet->caption());
        const char* captions[] = {"Форма", "Меню", "База Данных", "Штриховой код", "Установки",
                                  "Начало работы"};
        EXPECT_EQ(6, sheet->pageCount());
        for (int i = 0; i < 6; ++i) EXPECT_EQ(cp(captions[i]), sheet->pageLayout(i).caption);
        return ScriptAction::page("STARTUPDLG");
    });
    script.add(ScriptAction::ok());
    const EditorOutcome out = run();
    EXPECT_TRUE(out.applied);
    EXPECT_TRUE(ws.modified);
    EXPECT_EQ(1, simulatorResets);
    EXPECT_EQ(7, out.utilitiesEntries);
}

TEST_F(EditorTest, CancelLeavesTheProjectExactlyAsItWas) {
    const Project before = ws.project;
    script.add(ScriptAction::select(kType, kLineText));
    script.add(ScriptAction::type(kPrompt, "Код"));
    script.add(ScriptAction::click(kReset));
    script.add(ScriptAction::cancel());
    const EditorOutcome out = run();
    EXPECT_FALSE(out.applied);
    EXPECT_FALSE(out.utilitiesEntries);
    EXPECT_FALSE(ws.modified);
    EXPECT_EQ(0, simulatorResets);
    EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
}

TEST_F(EditorTest, UtilitiesCountIsTakenAfterEveryPageHasWrittenBack) {
    // The simulator reset runs inside the Form page's write-back; what changes
    // after it (as the Lookup page's write-back does) still counts.
    ui.setScript(&script);
    script.add(ScriptAction::ok());
    const EditorOutcome out = runEditor(ws, ui, {[this] {
                                            ws.project.lookups[0].recLen = 12;
                                            ws.project.lookups[0].fieldCount = 2;
                                        }});
    EXPECT_EQ(8, out.utilitiesEntries);
}

TEST_F(EditorTest, MoreOpensTheDialogThatFitsTheLineType) {
    ws.project.forms[0].lineType[0] = kLineText;
    ws.project.forms[0].lineType[1] = kLineLookup;
    script.add(ScriptAction::click(kMore));
    script.add(ScriptAction::cancel());
    script.add(ScriptAction::click(kMore + 1));
    script.add(ScriptAction::cancel());
    script.add(ScriptAction::click(kStamp));
    script.add(ScriptAction::ok());
    script.add(ScriptAction::ok());
    run();
    EXPECT_EQ((std::vector<std::string>{"FORMDLG", "AdvanceDlg", "LookupAdvanceDlg",
                                        "DateTimeStampDlg"}),
              testing::openedDialogs(ui));
    EXPECT_TRUE(script.done());
}

}  // namespace
}  // namespace appgen::editor
