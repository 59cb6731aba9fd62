// A spreadsheet export given to the lookup download: the lookup question,
// the conversion and its refusals, before anything reaches the port.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/text.h"
#include "shell/lookup_csv_download.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

namespace fs = std::filesystem;
using Action = link::LookupFileUse::Action;

// Answers LOOKUPCSVDLG as told: a lookup to choose (or none), the header box, OK or Cancel.
class AnsweringServices : public ui::HeadlessServices {
public:
    int runDialog(ui::Dialog& d) override {
        d.start();
        preselected = d.selection(kIdCsvLookupList);
        prechecked = d.checked(kIdCsvHeaderCheck);
        if (choose >= 0) d.userSelect(kIdCsvLookupList, choose);
        if (header) d.userClick(kIdCsvHeaderCheck);
        lineCount = d.text(kIdCsvLineCount);
        if (accept) d.userOk();
        else d.userCancel();
        return d.result();
    }
    int choose = -1;
    bool header = false;
    bool accept = true;
    int preselected = -2;
    bool prechecked = false;
    std::string lineCount;  // Windows-1251, as the dialog holds it
    std::vector<ui::MessageBoxRequest> boxes;
    ui::Answer messageBox(const ui::MessageBoxRequest& r) override {
        boxes.push_back(r);
        return HeadlessServices::messageBox(r);
    }
};

class LookupCsv : public ::testing::Test {
protected:
    void SetUp() override {
        resetProject(project);
        // Lookup 2: two fields separated by ';' of at most 4 and 3 bytes.
        LookupDef& l = project.lookups[1];
        l.fieldCount = 2;
        l.fieldLen[0] = 4;
        l.fieldLen[1] = 3;
        l.separator = ';';
        // CTest runs the cases side by side: each has a file of its own.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = (fs::temp_directory_path() /
                (std::string("appgen-lookup-csv-") + test->name() + ".CSV"))
                   .string();
    }
    void TearDown() override { fs::remove(path); }
    void put(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

    Project project{};
    std::string path;
    AnsweringServices ui;
};

TEST_F(LookupCsv, ConvertsForTheFirstDefinedLookup) {
    put("Код,Имя\nA1,\"Сыр\"\n");
    const link::LookupFileUse use = lookupFileUse(ui, project, path);
    EXPECT_EQ(1, ui.preselected);
    ASSERT_EQ(Action::SendLines, use.action);
    EXPECT_EQ((std::vector<std::string>{"A1;\xD1\xFB\xF0"}), use.lines);
}

// The header box starts ticked when the first column starts with a word over
// codes; the count of lines to send follows the box.
TEST_F(LookupCsv, TheDialogOpensWithTheHeaderFoundAndTheLinesCounted) {
    const struct {
        const char* csv;
        bool header;
        const char* lines;
        const char* afterClick;  // once the box is clicked
    } cases[] = {
        {"Код;Имя\n1001;Сыр\n1002;Чай\n", true, "2", "3"},
        {"\xCA\xEE\xE4;\xC8\xEC\xFF\n1001;x\n", true, "1", "2"},  // in Windows-1251
        {"1000;Код\n1001;Сыр\n", false, "2", "1"},
        {"Сыр;1\nЧай;2\n", false, "2", "1"},  // words all down the column
        {"Код;Имя\n", false, "1", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        put(c.csv);
        ui.accept = false;
        ui.header = false;
        lookupFileUse(ui, project, path);
        EXPECT_EQ(c.header, ui.prechecked);
        EXPECT_EQ(utf8ToCp1251(std::string("Будет отправлено строк: ") + c.lines), ui.lineCount);
        ui.header = true;
        lookupFileUse(ui, project, path);
        EXPECT_EQ(utf8ToCp1251(std::string("Будет отправлено строк: ") + c.afterClick), ui.lineCount);
    }
}

TEST_F(LookupCsv, RefusalsNameLineAndColumn) {
    put("toolong,x\na,b,c\n");
    EXPECT_EQ(Action::Stop, lookupFileUse(ui, project, path).action);
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("The file does not fit lookup 2; nothing was sent.", ui.boxes[0].text);
    EXPECT_EQ("line 1, column 1: 7 characters, the field holds 4\nline 2: 3 columns, the lookup has 2 fields",
              ui.boxes[0].detail);

    ui.boxes.clear();
    ui.choose = 0;  // lookup 1 has no fields
    EXPECT_EQ(Action::Stop, lookupFileUse(ui, project, path).action);
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("Lookup 1 cannot take records; nothing was sent.", ui.boxes[0].text);
}

TEST_F(LookupCsv, OtherFilesAndCancelledQuestions) {
    EXPECT_EQ(Action::SendFile, lookupFileUse(ui, project, "/data/items.TXT").action);
    put("a,b\n");
    ui.accept = false;
    EXPECT_EQ(Action::Stop, lookupFileUse(ui, project, path).action);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(Action::Stop, lookupFileUse(ui, project, path + ".missing.csv").action);
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("Can't open the file!", ui.boxes[0].text);
}

// A lookup file in UTF-8 asks first: Да converts, Нет sends it as it is,
// Отмена sends nothing.
TEST_F(LookupCsv, AUtf8FileAsksWhetherToConvert) {
    const std::string txt = path + ".TXT";
    std::ofstream(txt, std::ios::binary) << "1;Чай\r\n";
    const struct {
        ui::Answer answer;
        Action action;
        std::string bytes;
    } cases[] = {
        {ui::Answer::Yes, Action::SendBytes, "1;\xD7\xE0\xE9\r\n"},
        {ui::Answer::No, Action::SendFile, ""},
        {ui::Answer::Cancel, Action::Stop, ""},
    };
    for (const auto& c : cases) {
        ui.boxes.clear();
        ui.queueAnswer(c.answer);
        const link::LookupFileUse use = lookupFileUse(ui, project, txt);
        EXPECT_EQ(c.action, use.action);
        EXPECT_EQ(c.bytes, use.bytes);
        ASSERT_EQ(1u, ui.boxes.size());
        EXPECT_EQ(ui::Buttons::YesNoCancel, ui.boxes[0].buttons);
        EXPECT_NE(std::string::npos, ui.boxes[0].text.find("UTF-8"));
    }
    std::ofstream(txt, std::ios::binary | std::ios::trunc) << "1;Tea\r\n";
    ui.boxes.clear();
    EXPECT_EQ(Action::SendFile, lookupFileUse(ui, project, txt).action);
    EXPECT_TRUE(ui.boxes.empty()) << "ASCII is the same in both";
    fs::remove(txt);
}

}  // namespace
}  // namespace appgen::shell
