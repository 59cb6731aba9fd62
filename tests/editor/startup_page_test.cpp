#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "editor/editor_sheet.h"
#include "editor/startup_page.h"
#include "editor_harness.h"
#include "project/project_file.h"
#include "project/system_messages.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using ui::ControlKind;

constexpr int kBigFont = 101, kImport = 201, kDefaults = 202, kDefaultText = 411;
constexpr int kCode = 501, kChar = 503, kRow = 511, kCount = 601, kGroups = 610, kStart = 690;

class StartupPageTest : public ::testing::Test {
protected:
    void open() {
        page = std::make_unique<StartupPage>(ws, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("STARTUPDLG"), *page,
                                              ui::Dialog::Role::Page);
        dialog->start();
    }
    TerminalSettings& stored() { return ws.project.terminal; }
    std::string slot(int group, int row) const {
        return std::string(slotText(messageSlot(ws.project, group, row),
                                    static_cast<std::size_t>(messageGroup(group).slot)));
    }
    std::string writeFile(const std::string& name, const std::string& bytes) {
        const std::string path = ::testing::TempDir() + "startup_" + name;
        std::ofstream(path, std::ios::binary).write(bytes.data(),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    Workspace ws = testing::freshWorkspace();
    ui::HeadlessServices ui;
    std::unique_ptr<StartupPage> page;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(StartupPageTest, SeparatorCountComesFromTheStoredSeparators) {
    struct Row {
        u8 sep1, sep2;
        int count;
        const char* char1;
        const char* char2;
    };
    const Row rows[] = {
        {0, 0, 0, "", ""}, {0, ';', 0, "", ";"}, {',', 0, 1, ",", ""}, {',', '\t', 2, ",", "\t"},
    };
    for (const Row& r : rows) {
        stored().separator1 = r.sep1;
        stored().separator2 = r.sep2;
        open();
        EXPECT_EQ(r.count, dialog->selection(kCount)) << int(r.sep1) << "/" << int(r.sep2);
        EXPECT_EQ(std::to_string(r.sep1), dialog->text(kCode));
        EXPECT_EQ(std::to_string(r.sep2), dialog->text(kCode + 1));
        EXPECT_EQ(r.char1, dialog->text(kChar));
        EXPECT_EQ(r.char2, dialog->text(kChar + 1));
        EXPECT_EQ(r.count >= 1, dialog->enabled(kCode));
        EXPECT_EQ(r.count >= 1, dialog->enabled(kChar));
        EXPECT_EQ(r.count == 2, dialog->enabled(kCode + 1));
        EXPECT_EQ(r.count == 2, dialog->enabled(kChar + 1));
        EXPECT_EQ(r.sep1, page->separator(0));
        EXPECT_EQ(r.sep2, page->separator(1));
    }
    EXPECT_EQ(2, dialog->itemCount(kStart));
    EXPECT_EQ(cp("меню 1"), dialog->control(kStart)->items[1]);
    EXPECT_EQ(cp(" 2 "), dialog->control(kCount)->items[2]);
}

TEST_F(StartupPageTest, CodeAndCharacterEditsEchoEachOther) {
    open();
    dialog->userSelect(kCount, 2);
    struct Row {
        int id;
        const char* typed;
        const char* code;
        const char* character;
        u8 separator;
    };
    const Row rows[] = {
        {kCode, "59", "59", ";", 59},
        {kChar, "ab", "97", "a", 97},
        {kCode, "300", "300", "a", 97},  // 256 and above are not taken
        {kCode, "x", "0", "", 0},
        {kChar, "#", "35", "#", 35},
        {kChar, "", "0", "", 0},
        {kCode, "", "", "", 0},
        {kCode, "255", "255", "\xff", 255},
    };
    for (const Row& r : rows) {
        dialog->userType(r.id, r.typed);
        EXPECT_EQ(r.code, dialog->text(kCode)) << r.typed;
        EXPECT_EQ(r.character, dialog->text(kChar)) << r.typed;
        EXPECT_EQ(r.separator, page->separator(0)) << r.typed;
        // The second pair follows the same rule on its own.
        dialog->userType(r.id + 1, r.typed);
        EXPECT_EQ(r.separator, page->separator(1)) << r.typed;
    }
}

TEST_F(StartupPageTest, ApplyStoresTheOptionsWithTheSeparatorCountRule) {
    struct Row {
        int count;
        u8 sep1, sep2;
    };
    const Row rows[] = {{0, 0, 0}, {1, '|', 0}, {2, '|', '!'}};
    for (const Row& r : rows) {
        open();
        dialog->userSelect(kCount, 2);
        dialog->userType(kChar, "|");
        dialog->userType(kChar + 1, "!");
        dialog->userSelect(kCount, r.count);
        dialog->userSelect(kStart, 1);
        page->apply(*dialog);
        EXPECT_EQ(r.sep1, stored().separator1) << r.count;
        EXPECT_EQ(r.sep2, stored().separator2) << r.count;
        EXPECT_EQ(1, stored().startWith);
        EXPECT_FALSE(ws.modified);
    }
}

TEST_F(StartupPageTest, GroupsShowTheirRowsAndCutTypedTextsToTheirWidth) {
    open();
    // Group 0 edits three of its four slots; the others show blanks, disabled.
    EXPECT_EQ(std::string(russianDefault(0, 0)), dialog->text(kDefaultText));
    EXPECT_TRUE(dialog->enabled(kRow + 2));
    for (int r = 3; r < 8; ++r) {
        EXPECT_FALSE(dialog->enabled(kRow + r)) << r;
        EXPECT_FALSE(dialog->enabled(kDefaultText + r)) << r;
        EXPECT_EQ(std::string(15, ' '), dialog->text(kRow + r)) << r;
    }
    dialog->userSelect(kGroups, 24);
    dialog->userType(kRow + 7, "sixteen chars...");
    EXPECT_EQ("sixteen chars..", dialog->text(kRow + 7));
    EXPECT_EQ("sixteen chars..", page->texts().text(24, 7));
    dialog->userSelect(kGroups, 13);  // an "x20" group: 20 characters
    dialog->userType(kRow, "twenty-one characters");
    EXPECT_EQ("twenty-one character", page->texts().text(13, 0));
    // The Utilities labels with an ampersand are written so that it shows.
    dialog->userSelect(kGroups, 1);
    EXPECT_EQ("5. Set Date && Time", dialog->text(kDefaultText + 4));
    EXPECT_EQ("7. Memory && Power", dialog->text(kDefaultText + 6));
    EXPECT_EQ(std::string(russianDefault(1, 5)), dialog->text(kDefaultText + 5));
    EXPECT_TRUE(page->textsDirty());
    page->apply(*dialog);
    EXPECT_EQ("sixteen chars..", slot(24, 7));
    EXPECT_EQ("twenty-one character", slot(13, 0));
    EXPECT_EQ(std::string(russianDefault(0, 3)), slot(0, 3));
}

TEST_F(StartupPageTest, OpeningAndApplyingWithoutEditsLeavesTheTextsByteForByte) {
    char* s = messageSlot(ws.project, 0, 3);
    std::memcpy(s, "odd\0kept bytes!", 16);  // bytes after the terminator are kept
    char* wide = messageSlot(ws.project, 7, 2);
    std::memset(wide, 'w', 21);  // no terminator at all
    const Project before = ws.project;
    open();
    dialog->userSelect(kGroups, 7);
    dialog->userSelect(kGroups, 0);
    EXPECT_FALSE(page->textsDirty());
    page->apply(*dialog);
    EXPECT_EQ(0, std::memcmp(&before.messages, &ws.project.messages, sizeof before.messages));
}

TEST_F(StartupPageTest, BigFontRenamesTheGroupsAndInstallsTheirDefaults) {
    stored().separator1 = ';';
    open();
    dialog->userSelect(kGroups, 13);
    dialog->userClick(kBigFont);
    EXPECT_TRUE(dialog->checked(kBigFont));
    EXPECT_EQ("Utilities (8x15)", dialog->control(kGroups)->items[1]);
    EXPECT_EQ("View Settings (6x15)", dialog->control(kGroups)->items[13]);
    EXPECT_EQ("Main menu (3x15)", dialog->control(kGroups)->items[0]);
    EXPECT_EQ(13, dialog->selection(kGroups));
    for (int r = 0; r < 8; ++r) EXPECT_EQ(r < 6, dialog->enabled(kRow + r)) << r;
    EXPECT_EQ(std::string(bigFontDefault(13, 0)), dialog->text(kRow));
    EXPECT_EQ(std::string(bigFontDefault(13, 0)), dialog->text(kDefaultText));
    // Rows past the English ones keep their text.
    EXPECT_EQ(std::string(russianDefault(13, 7)), page->texts().text(13, 7));
    dialog->userSelect(kGroups, 1);
    EXPECT_EQ("5.Set Date&&Time", dialog->text(kDefaultText + 4));
    EXPECT_EQ(std::string(bigFontDefault(1, 6)), dialog->text(kDefaultText + 6));
    // What the page shows is what OK stores, without a row typed afterwards.
    page->apply(*dialog);
    EXPECT_EQ(1, stored().bigFont);
    EXPECT_EQ(std::string(bigFontDefault(1, 0)), slot(1, 0));
    EXPECT_EQ(std::string(bigFontDefault(25, 2)), slot(25, 2));
    EXPECT_EQ(std::string(russianDefault(24, 0)), slot(24, 0));  // "x15" groups untouched
    EXPECT_EQ(';', stored().separator1);
    dialog->userSelect(kGroups, 13);
    dialog->userType(kRow + 5, "sixteen chars...");
    EXPECT_EQ("sixteen chars..", page->texts().text(13, 5));
    // And back: the Russian defaults return.
    open();
    dialog->userClick(kBigFont);
    EXPECT_EQ("Utilities (8x20)", dialog->control(kGroups)->items[1]);
    page->apply(*dialog);
    EXPECT_EQ(0, stored().bigFont);
    EXPECT_EQ(std::string(russianDefault(1, 0)), slot(1, 0));
    EXPECT_EQ(std::string(russianDefault(13, 5)), slot(13, 5));
}

TEST_F(StartupPageTest, RestoringDefaultsIsWhatOkStores) {
    stored().startWith = 1;
    stored().separator1 = ';';
    stored().separator2 = '!';
    setSlotText(messageSlot(ws.project, 2, 1), 16, "changed");
    setSlotText(messageSlot(ws.project, 9, 0), 21, "changed too");
    open();
    dialog->userSelect(kGroups, 9);
    dialog->userClick(kDefaults);
    EXPECT_EQ(0, dialog->selection(kGroups));
    EXPECT_EQ(0, page->currentGroup());
    EXPECT_EQ(0, dialog->selection(kStart));
    EXPECT_EQ(1, dialog->selection(kCount));
    EXPECT_EQ("44", dialog->text(kCode));
    EXPECT_EQ(",", dialog->text(kChar));
    EXPECT_FALSE(dialog->enabled(kCode + 1));
    page->apply(*dialog);
    EXPECT_EQ(0, stored().startWith);
    EXPECT_EQ(',', stored().separator1);
    EXPECT_EQ(0, stored().separator2);
    EXPECT_EQ(std::string(russianDefault(2, 1)), slot(2, 1));
    EXPECT_EQ(std::string(russianDefault(9, 0)), slot(9, 0));
}

TEST_F(StartupPageTest, RestoringDefaultsWithTheBigFontKeepsItAndItsEnglishRows) {
    stored().bigFont = 1;
    setSlotText(messageSlot(ws.project, 12, 5), 21, "kept row");
    open();
    dialog->userClick(kDefaults);
    EXPECT_TRUE(page->bigFont());
    EXPECT_EQ(std::string(bigFontDefault(12, 3)), page->texts().text(12, 3));
    EXPECT_EQ("kept row", page->texts().text(12, 5));
    EXPECT_EQ(std::string(russianDefault(24, 2)), page->texts().text(24, 2));
}

TEST_F(StartupPageTest, ImportTakesTheTextsAndTheBigFontFromACurrentFile) {
    Workspace other = testing::freshWorkspace();
    setSlotText(messageSlot(other.project, 5, 6), 16, "imported x15");
    setSlotText(messageSlot(other.project, 23, 0), 21, "imported x20 row");
    other.project.terminal.bigFont = 1;
    other.project.terminal.separator1 = '#';
    other.project.terminal.startWith = 1;
    const std::string path = writeFile("current.TGP", projectFileImage(other.project));
    stored().separator1 = ';';
    open();
    dialog->userSelect(kGroups, 5);
    ui.queueFile(path);
    dialog->userClick(kImport);
    ASSERT_EQ(1u, ui.fileRequests.size());
    const ui::FileDialogRequest& req = ui.fileRequests[0];
    EXPECT_EQ(ui::FileDialogRequest::Kind::Open, req.kind);
    ASSERT_EQ(1u, req.filters.size());
    EXPECT_EQ("Файлы Генератора Приложений (*.TGP)", req.filters[0].description);
    EXPECT_EQ("*.TGP", req.filters[0].pattern);
    EXPECT_EQ(ui::kFileMustExist | ui::kHideReadOnly, req.options);
    EXPECT_TRUE(testing::boxTexts(ui).empty());
    EXPECT_TRUE(dialog->checked(kBigFont));
    EXPECT_EQ(0, dialog->selection(kGroups));
    EXPECT_EQ("Utilities (8x15)", dialog->control(kGroups)->items[1]);
    EXPECT_EQ("imported x15", page->texts().text(5, 6));
    EXPECT_EQ(';', page->separator(0));  // options are not imported
    page->apply(*dialog);
    EXPECT_EQ("imported x15", slot(5, 6));
    EXPECT_EQ("imported x20 row", slot(23, 0));
    EXPECT_EQ(1, stored().bigFont);
    EXPECT_EQ(';', stored().separator1);
    EXPECT_EQ(0, stored().startWith);
}

TEST_F(StartupPageTest, ImportRefusesOlderFilesAndIgnoresWhatCannotBeOpened) {
    std::string old(10510, '\0');  // an M40 file's size
    std::memcpy(old.data(), "M40-4.00", 8);
    struct Row {
        std::optional<std::string> file;
        std::vector<std::string> boxes;
    };
    const Row rows[] = {
        {writeFile("old.TGP", old), {"Error: Format mismatch !!!"}},
        {writeFile("text.TGP", "hello, this is no project"), {"Error: Format mismatch !!!"}},
        {::testing::TempDir() + "startup_missing.TGP", {}},
        {std::nullopt, {}},  // the operator cancels
    };
    for (const Row& r : rows) {
        const Project before = ws.project;
        open();
        ui.clearEvents();
        ui.queueFile(r.file);
        dialog->userClick(kImport);
        EXPECT_EQ(r.boxes, testing::boxTexts(ui)) << r.file.value_or("cancel");
        EXPECT_FALSE(page->textsDirty());
        page->apply(*dialog);
        EXPECT_EQ(0, std::memcmp(&before, &ws.project, sizeof before));
    }
}

TEST(StartupTexts, AShortFileGivesWhatItHolds) {
    Workspace other = testing::freshWorkspace();
    for (int r = 0; r < 4; ++r) setSlotText(messageSlot(other.project, 0, r), 16, "file");
    setSlotText(messageSlot(other.project, 1, 0), 21, "not reached");
    const std::string image = projectFileImage(other.project);
    // Cut inside group 1's first slot.
    const std::size_t cut = offsetof(Project, messages) + messageGroup(1).offset + 10;
    StartupTexts t;
    t.set(1, 0, "page text");
    u8 big = 0;
    EXPECT_EQ(ImportStatus::Ok,
              importTextBytes(reinterpret_cast<const unsigned char*>(image.data()), cut, t, big));
    EXPECT_EQ("file", t.text(0, 3));
    EXPECT_EQ("page text", t.text(1, 0));
    EXPECT_EQ(0, big);
}

}  // namespace
}  // namespace appgen::editor
