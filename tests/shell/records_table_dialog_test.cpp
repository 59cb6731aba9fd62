// "Таблица из данных...": files added one by one, the table chosen, the
// records split and written; a CSV asked of several forms is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/text.h"
#include "shell/records_table_dialog.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

namespace fs = std::filesystem;

// Adds the queued files, browses for the table, picks the form, presses "Создать" once.
class Operator : public ui::HeadlessServices {
  public:
    int runDialog(ui::Dialog& d) override {
        d.start();
        for (std::size_t i = 0; i < adds; ++i) d.userClick(kIdRecordsAdd);
        d.userClick(kIdRecordsBrowse);
        d.userSelect(kIdRecordsFormList, form);
        d.userOk();
        result = d.text(kIdRecordsResult);
        if (d.result() != ui::kIdOk) d.userCancel();
        return d.result();
    }
    ui::Answer messageBox(const ui::MessageBoxRequest& r) override {
        boxes.push_back(r);
        return ui::Answer::Yes;
    }
    bool launchViewer(const std::string& path) override {
        viewed = path;
        return true;
    }
    std::size_t adds = 2;
    int form = 0;
    std::string result, viewed;
    std::vector<ui::MessageBoxRequest> boxes;
};

class RecordsTable : public ::testing::Test {
  protected:
    void SetUp() override {
        resetProject(p);
        p.terminal.separator1 = ';';
        for (auto& f : p.forms) f.recordAction = 1;
        // Form 1: a code of 3, a quantity; form 2: "#" and a text.
        p.forms[0].recordAction = 0;
        p.forms[0].lineType[0] = p.forms[0].lineType[1] = kLineText;
        p.forms[0].fixedLenOn[0] = 1;
        p.forms[0].fixedLen[0] = 3;
        setSlotText(p.forms[0].prompt[1], utf8ToCp1251("Кол"));
        p.forms[1].recordAction = 0;
        p.forms[1].lineType[0] = kLineText;
        p.forms[1].prefixOn[0] = 1;
        setSlotBytes(p.forms[1].prefix[0], "#");
        dir = fs::temp_directory_path() /
              ("appgen-records-table-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
        std::ofstream(dir / "a.txt", std::ios::binary) << "A01;5\r\nbad\r\n";
        std::ofstream(dir / "b.txt", std::ios::binary) << "B02;7\r\n#x\r\n";
        ui.queueFile((dir / "a.txt").string());
        ui.queueFile((dir / "b.txt").string());
    }
    void TearDown() override { fs::remove_all(dir); }
    Project p{};
    fs::path dir;
    Operator ui;
};

TEST_F(RecordsTable, WritesTheTableAndOffersToOpenIt) {
    const std::string out = (dir / "t.csv").string();
    ui.queueFile(out);
    ui.form = 1;
    makeRecordsTable(ui, p);
    std::ifstream in(out, std::ios::binary);
    const std::string csv((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(
        "\xEF\xBB\xBF"
        "Файл;Строка;Строка 1;Кол\r\n" +
            (dir / "a.txt").string() + ";1;A01;5\r\n" + (dir / "b.txt").string() + ";1;B02;7\r\n",
        csv);
    EXPECT_EQ(utf8ToCp1251("Разобрано записей: 2, не разобрано: 2."), ui.result);
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_NE(std::string::npos,
              ui.boxes[0].detail.find((dir / "a.txt").string() + ", строка 2: не подходит"));
    EXPECT_EQ(out, ui.viewed);
}

TEST_F(RecordsTable, ACsvOfSeveralFormsIsRefusedAndNothingWritten) {
    const std::string out = (dir / "t.csv").string();
    ui.queueFile(out);
    makeRecordsTable(ui, p);
    ASSERT_EQ(1u, ui.boxes.size());
    EXPECT_EQ("Записи нескольких форм (1, 2), а таблица CSV вмещает одну.", ui.boxes[0].text);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(ui.viewed.empty());
}

}  // namespace
}  // namespace appgen::shell
