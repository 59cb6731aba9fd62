#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "editor/editor_sheet.h"
#include "editor/lookup_layout.h"
#include "editor/lookup_page.h"
#include "editor_harness.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using testing::Steps;
using ui::ScriptAction;

constexpr int kLookupChoice = 690, kRecLen = 509, kFieldCount = 601, kNotFound = 602;
constexpr int kFixed = 311, kSeparated = 312, kSeparator = 519, kUpload = 101, kHeader = 401;
constexpr int kReset = 201, kOffset = 501, kLength = 511, kKey = 301;

LookupDef separated(u8 separator, u8 count, std::initializer_list<u8> lengths) {
    LookupDef l{};
    resetLookup(l);
    l.separator = separator;
    l.fieldCount = count;
    int i = 0;
    for (const u8 len : lengths) l.fieldLen[i++] = len;
    return l;
}

TEST(LookupLayout, SeparatedRecordsGetTheirLengthAndOffsets) {
    struct Row {
        LookupDef lookup;
        int recLen;
        u8 offsets[8];
    };
    const Row rows[] = {
        {separated(44, 3, {5, 10, 2}), 19, {1, 7, 18, 1, 1, 1, 1, 1}},
        {separated(44, 0, {5, 10, 2}), 255, {1, 1, 1, 1, 1, 1, 1, 1}},  // 0 - 1 as a byte
        {separated(9, 1, {0}), 0, {1, 1, 1, 1, 1, 1, 1, 1}},
        {separated(59, 8, {250, 250, 0, 0, 0, 0, 0, 1}), (8 + 501 - 1) & 0xFF,
         {1, 252, (503 & 0xFF), 248, 249, 250, 251, 252}},
        // A damaged field count counts the eight fields there are.
        {separated(44, 200, {1, 1, 1, 1, 1, 1, 1, 1}), 15, {1, 3, 5, 7, 9, 11, 13, 15}},
    };
    for (const Row& r : rows) {
        LookupDef l = r.lookup;
        completeSeparatedLookup(l);
        EXPECT_EQ(r.recLen, l.recLen) << int(l.fieldCount);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(r.offsets[i], l.fieldOffset[i]) << i;
    }
    // Fixed-length records stay as entered.
    LookupDef fixed = separated(0, 3, {5, 10, 2});
    fixed.recLen = 40;
    fixed.fieldOffset[1] = 30;
    const LookupDef before = fixed;
    completeSeparatedLookup(fixed);
    EXPECT_EQ(0, std::memcmp(&before, &fixed, sizeof fixed));
}

class LookupPageTest : public ::testing::Test {
protected:
    void open() {
        page = std::make_unique<LookupPage>(ws, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("LOOKUPDLG"), *page,
                                              ui::Dialog::Role::Page);
        dialog->start();
    }
    LookupDef& stored(int lookup = 0) { return ws.project.lookups[lookup]; }
    const LookupDef& working(int lookup = 0) const { return page->working(lookup); }
    // Offset, length and key of each field: '1' enabled, '0' disabled.
    std::string fieldStates(int base) const {
        std::string out;
        for (int i = 0; i < kLookupFields; ++i) out += dialog->enabled(base + i) ? '1' : '0';
        return out;
    }

    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    std::unique_ptr<LookupPage> page;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(LookupPageTest, ListsAndTheFirstLookupAreShown) {
    stored(0).fieldCount = 2;
    stored(0).notFound = 3;
    stored(0).keyField = 1;
    stored(0).fieldLen[1] = 12;
    stored(0).recLen = 30;
    open();
    const ui::ControlState* names = dialog->control(kLookupChoice);
    ASSERT_EQ(3u, names->items.size());
    EXPECT_EQ(cp("1ая база"), names->items[0]);
    EXPECT_EQ(cp("3я база"), names->items[2]);
    EXPECT_EQ(0, names->selected);
    const ui::ControlState* counts = dialog->control(kFieldCount);
    ASSERT_EQ(9u, counts->items.size());
    EXPECT_EQ(" 0", counts->items[0]);
    EXPECT_EQ(" 8", counts->items[8]);
    EXPECT_EQ(2, counts->selected);
    const ui::ControlState* notFound = dialog->control(kNotFound);
    ASSERT_EQ(4u, notFound->items.size());
    EXPECT_EQ(cp("Продолжить"), notFound->items[0]);
    EXPECT_EQ(cp("Вставить в базу"), notFound->items[2]);
    EXPECT_EQ(cp("Предупредить и вставить"), notFound->items[3]);
    EXPECT_EQ(3, notFound->selected);
    EXPECT_EQ("30", dialog->text(kRecLen));
    EXPECT_EQ("12", dialog->text(kLength + 1));
    EXPECT_EQ("1", dialog->text(kOffset + 7));
    EXPECT_TRUE(dialog->checked(kKey + 1));
    EXPECT_FALSE(dialog->checked(kKey));
    EXPECT_TRUE(dialog->checked(kUpload));
    EXPECT_TRUE(dialog->checked(kFixed));
    EXPECT_FALSE(dialog->checked(kSeparated));
    EXPECT_EQ("   Length", dialog->text(kHeader));
}

TEST_F(LookupPageTest, TheModeFollowsTheSeparatorWhenALookupIsShown) {
    stored(1).separator = 59;
    stored(1).fieldCount = 3;
    stored(0).fieldCount = 3;
    open();
    struct Row {
        int lookup;
        bool separated;
        const char* header;
        const char* offsets;
        const char* lengths;
    };
    const Row rows[] = {
        {0, false, "   Length", "11100000", "11100000"},
        {1, true, "Max Length", "00000000", "11100000"},
        {2, false, "   Length", "00000000", "00000000"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.lookup);
        dialog->userSelect(kLookupChoice, r.lookup);
        EXPECT_EQ(r.separated, dialog->checked(kSeparated));
        EXPECT_EQ(!r.separated, dialog->checked(kFixed));
        EXPECT_EQ(cp(r.header), dialog->text(kHeader));
        EXPECT_EQ(!r.separated, dialog->enabled(kRecLen));
        EXPECT_EQ(r.separated, dialog->enabled(kSeparator));
        EXPECT_EQ(r.offsets, fieldStates(kOffset));
        EXPECT_EQ(r.lengths, fieldStates(kLength));
        EXPECT_EQ(r.lengths, fieldStates(kKey));
    }
    dialog->userSelect(kLookupChoice, 1);
    EXPECT_EQ("59", dialog->text(kSeparator));
}

TEST_F(LookupPageTest, ChoosingAModeStoresTheSeparatorShown) {
    stored(0).separator = 44;
    stored(0).fieldCount = 2;
    open();
    dialog->userClick(kFixed);
    EXPECT_EQ(0, working().separator);
    EXPECT_EQ("11000000", fieldStates(kOffset));
    EXPECT_TRUE(dialog->enabled(kRecLen));
    EXPECT_FALSE(dialog->enabled(kSeparator));
    EXPECT_EQ("   Length", dialog->text(kHeader));
    // The box still shows 44: choosing the separator again brings the comma back.
    dialog->userClick(kSeparated);
    EXPECT_EQ(44, working().separator);
    EXPECT_EQ("00000000", fieldStates(kOffset));
    EXPECT_EQ("Max Length", dialog->text(kHeader));
    EXPECT_TRUE(dialog->checked(kSeparated));
    EXPECT_FALSE(dialog->checked(kFixed));

    // A fixed-length lookup shows 0: the separator mode is shown but nothing is stored,
    // and the lookup is shown as fixed-length the next time.
    dialog->userSelect(kLookupChoice, 1);
    dialog->userClick(kSeparated);
    EXPECT_EQ(0, working(1).separator);
    EXPECT_TRUE(dialog->checked(kSeparated));
    // With the separator mode shown, a new field count keeps the offsets disabled.
    dialog->userSelect(kFieldCount, 4);
    EXPECT_EQ("00000000", fieldStates(kOffset));
    EXPECT_EQ("11110000", fieldStates(kLength));
    dialog->userSelect(kLookupChoice, 0);
    dialog->userSelect(kLookupChoice, 1);
    EXPECT_TRUE(dialog->checked(kFixed));
    EXPECT_EQ("11110000", fieldStates(kOffset));
    // A separator typed in that mode is kept.
    dialog->userClick(kSeparated);
    dialog->userType(kSeparator, "9");
    EXPECT_EQ(9, working(1).separator);
}

TEST_F(LookupPageTest, NumberBoxesStoreWithinTheirBounds) {
    stored(0).separator = 44;
    stored(0).fieldCount = 1;
    open();
    struct Row {
        int id;
        const char* typed;
        const char* shown;
        int stored;
    };
    const Row rows[] = {
        {kLength, "12", "12", 12},     {kLength, "250", "250", 250}, {kLength, "300", "300", 250},
        {kLength, "251", "251", 250},  {kLength, "abc", "0", 0},     {kLength, "", "", 0},
        {kLength, " 7 ", " 7 ", 7},    {kSeparator, "255", "255", 255},
        {kSeparator, "256", "256", 255}, {kSeparator, "x", "0", 0},  {kSeparator, "44", "44", 44},
    };
    for (const Row& r : rows) {
        dialog->userType(r.id, r.typed);
        EXPECT_EQ(r.shown, dialog->text(r.id)) << r.id << " " << r.typed;
        const LookupDef& l = working();
        EXPECT_EQ(r.stored, r.id == kLength ? l.fieldLen[0] : l.separator) << r.typed;
    }
    dialog->userClick(kFixed);
    dialog->userSelect(kFieldCount, 8);
    dialog->userType(kRecLen, "120");
    dialog->userType(kOffset + 7, "99");
    dialog->userType(kOffset + 7, "251");
    dialog->userType(kLength + 7, "12");
    dialog->userType(kLength + 7, "4294967296");  // beyond 32 bits: above the bound, kept
    EXPECT_EQ(120, working().recLen);
    EXPECT_EQ(99, working().fieldOffset[7]);
    EXPECT_EQ(12, working().fieldLen[7]);
    EXPECT_EQ("4294967296", dialog->text(kLength + 7));
}

TEST_F(LookupPageTest, LoweringTheFieldCountDisablesButKeepsTheFieldsBeyond) {
    stored(0).fieldCount = 5;
    stored(0).keyField = 4;
    stored(0).fieldLen[4] = 8;
    stored(0).fieldOffset[4] = 20;
    open();
    EXPECT_EQ("11111000", fieldStates(kKey));
    dialog->userSelect(kFieldCount, 2);
    EXPECT_EQ(2, working().fieldCount);
    EXPECT_EQ("11000000", fieldStates(kOffset));
    EXPECT_EQ("11000000", fieldStates(kLength));
    EXPECT_EQ("11000000", fieldStates(kKey));
    EXPECT_EQ(8, working().fieldLen[4]);
    EXPECT_EQ(20, working().fieldOffset[4]);
    EXPECT_EQ(4, working().keyField);
}

TEST_F(LookupPageTest, KeyRadiosAndUploadAndNotFoundStore) {
    stored(2).fieldCount = 8;
    open();
    dialog->userSelect(kLookupChoice, 2);
    dialog->userClick(kKey + 6);
    EXPECT_EQ(6, working(2).keyField);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(i == 6, dialog->checked(kKey + i)) << i;
    dialog->userClick(kKey + 2);
    EXPECT_EQ(2, working(2).keyField);
    EXPECT_FALSE(dialog->checked(kKey + 6));
    dialog->userClick(kUpload);
    EXPECT_EQ(0, working(2).uploadAllowed);
    EXPECT_FALSE(dialog->checked(kUpload));
    dialog->userSelect(kNotFound, 2);
    EXPECT_EQ(2, working(2).notFound);
    EXPECT_EQ(1, working(0).uploadAllowed);
}

TEST_F(LookupPageTest, ResetGivesEveryLookupThePageDefaults) {
    for (LookupDef& l : ws.project.lookups) std::memset(&l, 0x07, sizeof l);
    open();
    dialog->userSelect(kLookupChoice, 2);
    dialog->userClick(kReset);
    EXPECT_EQ(0, dialog->selection(kLookupChoice));
    EXPECT_TRUE(dialog->checked(kFixed));
    EXPECT_EQ("00000000", fieldStates(kLength));
    for (int k = 0; k < kLookupCount; ++k) {
        SCOPED_TRACE(k);
        const LookupDef& l = working(k);
        EXPECT_EQ(0, l.recLen + l.fieldCount + l.keyField + l.separator + l.notFound);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(1, l.fieldOffset[i]);
            EXPECT_EQ(0, l.fieldLen[i]);
        }
        EXPECT_EQ(1, l.uploadAllowed);
        EXPECT_EQ(0x07, l.reserved[0]);
        EXPECT_EQ(0x07, l.reserved[99]);
    }
}

TEST_F(LookupPageTest, ApplyCompletesSeparatedLookupsAndWritesTheLookupsOnly) {
    Project before = ws.project;
    stored(2).fieldCount = 2;
    stored(2).recLen = 77;
    stored(2).fieldOffset[1] = 40;
    before.lookups[2] = stored(2);
    open();
    dialog->userClick(kSeparated);
    dialog->userType(kSeparator, "44");
    dialog->userSelect(kFieldCount, 3);
    dialog->userType(kLength, "5");
    dialog->userType(kLength + 1, "10");
    dialog->userType(kLength + 2, "2");
    dialog->userSelect(kLookupChoice, 1);
    dialog->userClick(kSeparated);
    dialog->userType(kSeparator, "9");
    page->apply(*dialog);
    const LookupDef& first = ws.project.lookups[0];
    EXPECT_EQ(44, first.separator);
    EXPECT_EQ(19, first.recLen);
    EXPECT_EQ(1, first.fieldOffset[0]);
    EXPECT_EQ(7, first.fieldOffset[1]);
    EXPECT_EQ(18, first.fieldOffset[2]);
    EXPECT_EQ(255, ws.project.lookups[1].recLen);
    EXPECT_EQ(0, std::memcmp(&before.lookups[2], &ws.project.lookups[2], sizeof(LookupDef)));
    EXPECT_FALSE(ws.modified);
    before.lookups[0] = ws.project.lookups[0];
    before.lookups[1] = ws.project.lookups[1];
    EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
}

TEST(LookupPageInSheet, OkCompletesTheLookupAndCountsItForTheUtilities) {
    for (const bool ok : {true, false}) {
        Workspace ws = testing::freshWorkspace();
        const Project before = ws.project;
        ui::HeadlessServices ui;
        Steps script;
        script.add(ScriptAction::page("LOOKUPDLG"));
        script.add(ScriptAction::click(kSeparated));
        script.add(ScriptAction::type(kSeparator, "59"));
        script.add(ScriptAction::select(kFieldCount, 2));
        script.add(ScriptAction::type(kLength, "6"));
        script.add(ScriptAction::type(kLength + 1, "3"));
        script.add(ok ? ScriptAction::ok() : ScriptAction::cancel());
        ui.setScript(&script);
        const EditorOutcome out = runEditor(ws, ui, {});
        if (ok) {
            EXPECT_EQ(10, ws.project.lookups[0].recLen);
            EXPECT_EQ(8, ws.project.lookups[0].fieldOffset[1]);
            EXPECT_EQ(8, out.utilitiesEntries);
        } else {
            EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
        }
    }
}

}  // namespace
}  // namespace appgen::editor
