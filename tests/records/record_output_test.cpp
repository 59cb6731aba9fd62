// Upload files read into records, and the split records written out: the CSV
// dialects, the cells' padding, plain numbers and the totals.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "project/text.h"
#include "records/csv_output.h"
#include "records/record_table.h"
#include "records/totals.h"

namespace appgen::records {
namespace {

TEST(RecordLines, LineEndsAndEmptyLines) {
    std::vector<RecordLine> lines;
    const std::string bytes = "a\r\nb\nc\rd\r\n\r\n\ne";
    readRecordLines(bytes, 3, lines);
    std::vector<std::pair<unsigned, std::string>> got;
    for (const auto& l : lines) got.emplace_back(l.line, bytes.substr(l.offset, l.length));
    EXPECT_EQ(
        (std::vector<std::pair<unsigned, std::string>>{{1, "a"}, {2, "b"}, {3, "c\rd"}, {6, "e"}}),
        got);
    EXPECT_EQ(3u, lines[0].file);
}

// Form 1: a code of fixed length 6 padded with spaces, a quantity, a
// zero-padded number; form 2: one free text.
class Tables : public ::testing::Test {
  protected:
    Tables() {
        resetProject(p);
        p.terminal.separator1 = ';';
        p.terminal.separator2 = 0;
        for (auto& f : p.forms) f.recordAction = 1;
        FormDef& f = p.forms[0];
        f.recordAction = 0;
        f.lineType[0] = kLineText;
        f.lineType[1] = kLineDecimal;
        f.lineType[2] = kLineInteger;
        setSlotText(f.prompt[0], utf8ToCp1251("Код"));
        setSlotText(f.prompt[1], utf8ToCp1251("Кол"));
        f.fixedLenOn[0] = f.fixedLenOn[2] = 1;
        f.fixedLen[0] = 6;
        f.fixedLen[2] = 3;
        f.align[2] = 3;
        FormDef& g = p.forms[1];
        g.recordAction = 2;
        g.lineType[0] = kLineText;
        g.prefixOn[0] = 1;
        setSlotBytes(g.prefix[0], "#");
        setSlotText(g.prompt[0], utf8ToCp1251("Код"));
    }
    RecordTable table(std::string a, std::string b = "") const {
        std::vector<FormLayout> layouts;
        for (int n : candidateForms(p)) layouts.push_back(formLayout(p, n));
        return RecordTable({{"t1.txt", std::move(a)}, {"t2.txt", std::move(b)}},
                           std::move(layouts));
    }
    Project p{};
};

TEST_F(Tables, CsvDialects) {
    const RecordTable t =
        table("A1    ;2,5;007\r\n\xCA\xEE\xE4   ;x\"y;001\r\n#other\r\nbad\r\n", "B;C   ;1;002\n");
    EXPECT_EQ(4u, t.splitCount());
    EXPECT_EQ(1u, t.unsplitCount());
    EXPECT_EQ((std::vector<int>{1, 2}), t.formsWithRecords());
    struct Case {
        CsvDialect dialect;
        std::string expected;
    } cases[] = {
        {{},
         "\xEF\xBB\xBF"
         "Файл;Строка;Код;Кол;Строка 3\r\nt1.txt;1;A1;2,5;007\r\nt1.txt;2;Код;\"x\"\"y\";001\r\n"
         "t2.txt;1;\"B;C\";1;002\r\n"},
        {{',', true, true},
         utf8ToCp1251("Файл,Строка,Код,Кол,Строка "
                      "3\r\nt1.txt,1,A1,\"2,5\",007\r\nt1.txt,2,Код,\"x\"\"y\",001\r\n"
                      "t2.txt,1,B;C,1,002\r\n")},
        {{'\t', false, false},
         "Файл\tСтрока\tКод\tКол\tСтрока "
         "3\r\nt1.txt\t1\tA1\t2,5\t007\r\nt1.txt\t2\tКод\t\"x\"\"y\"\t001\r\n"
         "t2.txt\t1\tB;C\t1\t002\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, recordsCsv(t, 1, c.dialect)) << c.dialect.delimiter;
    EXPECT_EQ("Файл;Строка;Код\r\nt1.txt;3;other\r\n", recordsCsv(t, 2, {';', false, false}));
    EXPECT_EQ("не подходит ни к одной форме", t.reason(3));
    // A line no terminal could send is not tried at all.
    const RecordTable longLine = table("#" + std::string(kLongestRecord, ';'));
    EXPECT_EQ("длиннее 4096 байт: это не запись терминала", longLine.reason(0));
}

TEST_F(Tables, PaddingLeavesTheCellByAlignment) {
    FormDef& f = p.forms[0];
    struct Case {
        u8 align;
        const char* field;
        const char* cell;
    } cases[] = {{0, "A1    ", "A1"},     {1, "    A1", "A1"}, {2, "A10000", "A10000"},
                 {3, "0000A1", "0000A1"}, {7, "A1    ", "A1"}, {0, " A 1  ", " A 1"}};
    for (const auto& c : cases) {
        f.align[0] = c.align;
        const RecordTable t = table(std::string(c.field) + ";1;001");
        ASSERT_EQ(1u, t.splitCount()) << c.field;
        EXPECT_EQ(c.field, t.fieldText(0, 0));
        EXPECT_EQ(c.cell, t.cell(0, 0)) << int(c.align);
    }
}

TEST(PlainNumbers, WhatBecomesANumericCell) {
    for (const char* yes : {"0", "12", "-7", "0.5", "12,25", "-0,1"})
        EXPECT_TRUE(isPlainNumber(yes)) << yes;
    for (const char* no : {"", "007", "-", "1.", ".5", "1.2.3", "1e3", " 1", "+1", "00.5", "1,2,3"})
        EXPECT_FALSE(isPlainNumber(no)) << no;
}

// A locale whose decimal mark is a comma, as the desktop program runs in on a
// Russian system; made with localedef where the system has none. Empty when
// neither works (no locale sources).
std::string commaLocale() {
    for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) return name;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "appgen-locales";
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    const std::string command = "localedef -i ru_RU -f UTF-8 \"" + (dir / "ru_RU.UTF-8").string() + "\" >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !std::filesystem::exists(dir / "ru_RU.UTF-8")) return {};
#ifndef _WIN32
    setenv("LOCPATH", dir.string().c_str(), 1);
#endif
    return std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") ? "ru_RU.UTF-8" : "";
}

TEST(PlainNumbers, SameValueInEveryLocale) {
    const std::string locale = commaLocale();
    if (locale.empty()) GTEST_SKIP() << "no locale with a decimal comma here";
    ASSERT_EQ(',', *std::localeconv()->decimal_point) << locale;
    for (const auto& [text, value] : {std::pair{"12.25", 12.25}, {"12,25", 12.25}, {"-0.5", -0.5}, {"7", 7.0}})
        EXPECT_EQ(value, plainNumberValue(text)) << text;
    DecimalSum sum;
    sum.add("2,5");
    sum.add("0.25");
    EXPECT_EQ(2.75, sum.value());
    std::setlocale(LC_NUMERIC, "C");
}

TEST_F(Tables, TotalsPerKeyInOrderOfFirstAppearance) {
    const RecordTable t =
        table("A1    ;2,5;007\r\nB2    ;1;001\r\nA1    ;0.25;001\r\n", "A1    ;x;002\r\n#A1\r\n");
    const Totals totals = totalsOf(t, "Код", std::string("Кол"));
    ASSERT_EQ(2u, totals.rows.size());
    EXPECT_EQ("A1", totals.rows[0].key);
    EXPECT_EQ(4u, totals.rows[0].records);  // form 2's "A1" counts too
    EXPECT_EQ("2.75", totals.rows[0].quantity.text());
    EXPECT_EQ("B2", totals.rows[1].key);
    EXPECT_EQ("1", totals.rows[1].quantity.text());
    EXPECT_EQ((std::vector<std::size_t>{3}), totals.notNumbers);  // "x"; form 2 has no quantity
    EXPECT_EQ("Код;Записей;Кол\r\nA1;4;2.75\r\nB2;1;1\r\n",
              totalsCsv(totals, "Код", std::string("Кол"), {';', false, false}));
}

TEST(DecimalSums, ExactWithEitherMark) {
    DecimalSum s;
    for (const char* n : {"0,1", "0.2", "-1", "10"}) EXPECT_TRUE(s.add(n)) << n;
    EXPECT_EQ("9.3", s.text());
    for (const char* bad : {"", "-", "1,", ",5", "1.2.3", "x"}) EXPECT_FALSE(s.add(bad)) << bad;
    EXPECT_EQ("9.3", s.text());
    DecimalSum negative;
    negative.add("-0,05");
    EXPECT_EQ("-0.05", negative.text());
}

}  // namespace
}  // namespace appgen::records
