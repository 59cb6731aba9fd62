#include <gtest/gtest.h>

#include <cstring>

#include "editor/stamp_dialog.h"
#include "editor_harness.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

class StampTest : public ::testing::Test {
protected:
    StampTest() {
        const Workspace ws = testing::freshWorkspace();
        std::memcpy(state.work, ws.project.forms, sizeof state.work);
        state.currentForm = 4;
    }
    FormDef& form() { return state.work[4]; }
    void open() {
        handler = std::make_unique<StampDialog>(state);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("DateTimeStampDlg"), *handler);
        dialog->start();
    }
    std::string dateCaption() const { return cp1251ToUtf8(dialog->text(901)); }
    std::string timeCaption() const { return cp1251ToUtf8(dialog->text(902)); }

    FormPageState state;
    std::unique_ptr<StampDialog> handler;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(StampTest, PatternsFollowTheSettings) {
    struct Row {
        std::function<void(FormDef&)> set;
        const char* date;
        const char* time;
    };
    const Row rows[] = {
        {[](FormDef&) {}, "Формат Даты : ГГГГ/ММ/ДД", "Формат Времени: ЧЧ:ММ:СС"},
        {[](FormDef& f) {
             f.stampDateOrder = 2;
             f.stampYearDigits = 1;
             setSlotText(f.stampDateSep, ".");
         },
         "Формат Даты : ДД.ММ.ГГ", "Формат Времени: ЧЧ:ММ:СС"},
        {[](FormDef& f) { f.stampDateOrder = 1; }, "Формат Даты : ММ/ДД/ГГГГ", nullptr},
        {[](FormDef& f) { f.stampYear = f.stampMonth = f.stampDay = 0; }, "Формат Даты : ", nullptr},
        {[](FormDef& f) { f.stampYear = f.stampMonth = 0; }, "Формат Даты : ДД", nullptr},
        {[](FormDef& f) { setSlotText(f.stampDateSep, ""); }, "Формат Даты : ГГГГММДД", nullptr},
        {[](FormDef& f) { f.stampDateSepOn = 0; }, "Формат Даты : ГГГГММДД", nullptr},
        {[](FormDef& f) { f.stampHours = 0; }, nullptr, "Формат Времени: ММ:СС"},
        {[](FormDef& f) {
             f.stampTimeSepOn = 0;
             f.stampMinutes = 0;
         },
         nullptr, "Формат Времени: ЧЧСС"},
        {[](FormDef& f) { f.stampHours = f.stampMinutes = f.stampSeconds = 0; }, nullptr,
         "Формат Времени: "},
    };
    for (const Row& r : rows) {
        FormDef f = form();
        r.set(f);
        if (r.date) {
            EXPECT_EQ(r.date, cp1251ToUtf8(datePattern(f)));
        }
        if (r.time) {
            EXPECT_EQ(r.time, cp1251ToUtf8(timePattern(f)));
        }
    }
}

TEST_F(StampTest, CaptionsChangeLiveWithEachControl) {
    open();
    EXPECT_EQ("Формат Даты : ГГГГ/ММ/ДД", dateCaption());
    EXPECT_EQ("Формат Времени: ЧЧ:ММ:СС", timeCaption());
    dialog->userClick(102);
    EXPECT_EQ(0, form().stampYear);
    EXPECT_EQ("Формат Даты : ММ/ДД", dateCaption());
    dialog->userSelect(606, 2);
    EXPECT_EQ("Формат Даты : ДД/ММ", dateCaption());
    dialog->userClick(113);
    EXPECT_EQ("Формат Времени: ЧЧ:ММ", timeCaption());
    dialog->userType(514, "-");
    EXPECT_EQ("Формат Времени: ЧЧ-ММ", timeCaption());
    dialog->userSelect(601, 2);
    EXPECT_EQ(2, form().stampPosition);
    dialog->userClick(101);
    EXPECT_EQ(0, form().stampSplit);
}

TEST_F(StampTest, SeparatorBoxesKeepOneCharacter) {
    open();
    dialog->userType(505, ".x");
    EXPECT_EQ(".", dialog->text(505));
    EXPECT_EQ(".", slotText(form().stampDateSep));
    EXPECT_EQ("Формат Даты : ГГГГ.ММ.ДД", dateCaption());
    dialog->userType(505, "");
    EXPECT_EQ(0, form().stampDateSep[0]);
    EXPECT_EQ("Формат Даты : ГГГГММДД", dateCaption());
}

TEST_F(StampTest, ResetButtonRestoresTheFormAsItWasAtOpening) {
    const FormDef before = form();
    open();
    for (const int id : {101, 102, 103, 104, 105, 111, 112, 113, 114}) dialog->userClick(id);
    dialog->userType(505, "-");
    dialog->userSelect(602, 1);
    dialog->userClick(2);
    EXPECT_EQ(0, dialog->result());
    EXPECT_EQ(0, std::memcmp(&before, &form(), sizeof before));
    open();
    dialog->userClick(103);
    dialog->userOk();
    EXPECT_EQ(1, dialog->result());
    EXPECT_EQ(0, form().stampMonth);
}

}  // namespace
}  // namespace appgen::editor
