// A spreadsheet export given to the lookup download: the lookup question,
// the conversion and its refusals, before anything reaches the port.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
        if (choose >= 0) d.userSelect(kIdCsvLookupList, choose);
        if (header) d.userClick(kIdCsvHeaderCheck);
        if (accept) d.userOk();
        else d.userCancel();
        return d.result();
    }
    int choose = -1;
    bool header = false;
    bool accept = true;
    int preselected = -2;
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
    ui.header = true;
    const link::LookupFileUse use = lookupFileUse(ui, project, path);
    EXPECT_EQ(1, ui.preselected);
    ASSERT_EQ(Action::SendLines, use.action);
    EXPECT_EQ((std::vector<std::string>{"A1;\xD1\xFB\xF0"}), use.lines);
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

}  // namespace
}  // namespace appgen::shell
