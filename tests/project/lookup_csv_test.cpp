// Spreadsheet exports read as tables, turned into lookup lines, and lookup
// files checked against the lookup that is to take them.
#include <gtest/gtest.h>

#include "project/csv_table.h"
#include "project/lookup_check.h"
#include "project/lookup_csv.h"
#include "project/lookup_encoding.h"
#include "project/text.h"

namespace appgen {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows valuesOf(const CsvTable& t) {
    Rows out;
    for (const auto& r : t.rows) out.push_back(r.values);
    return out;
}

TEST(CsvTable, QuotingLineEndsAndDelimiters) {
    struct Case {
        const char* name;
        std::string text;
        Rows rows;
    } cases[] = {
        {"plain, LF", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"CR LF, no last end", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"quoted delimiter and quote", "\"x,y\",\"he said \"\"hi\"\"\"\n", {{"x,y", "he said \"hi\""}}},
        {"line break inside quotes", "\"two\nlines\",z\n", {{"two\nlines", "z"}}},
        {"empty values", ",\n", {{"", ""}}},
        {"blank lines skipped, BOM dropped", "\xEF\xBB\xBF" "a,b\n\n\r\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"Cyrillic", "Молоко,\"Хлеб, белый\"\n", {{"Молоко", "Хлеб, белый"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.rows, valuesOf(parseCsv(c.text, ','))) << c.name;
}

TEST(CsvTable, ProblemsNameTheirLineAndColumn) {
    const CsvTable t = parseCsv("a,b\n\"open,c\nd,e\n", ',');
    ASSERT_EQ(1u, t.problems.size());
    EXPECT_EQ(2, t.problems[0].line);
    EXPECT_EQ(1, t.problems[0].column);

    const CsvTable after = parseCsv("x,\"q\"z,y\nok,\xFF\n", ',');
    ASSERT_EQ(2u, after.problems.size());
    EXPECT_EQ((std::pair{1, 2}), std::pair(after.problems[0].line, after.problems[0].column));
    EXPECT_EQ((std::pair{2, 2}), std::pair(after.problems[1].line, after.problems[1].column));
    EXPECT_TRUE(after.rows.empty());
}

TEST(CsvTable, DelimiterIsFoundFromTheRows) {
    EXPECT_EQ(';', detectCsvDelimiter("1,5;Молоко\n2,5;Хлеб\n"));
    EXPECT_EQ('\t', detectCsvDelimiter("a\tb,c\nd\te,f\n"));
    EXPECT_EQ(';', detectCsvDelimiter("a,b;c,d\ne,f;g,h\n", 2)) << "tie broken by the rarer character";
    EXPECT_EQ(',', detectCsvDelimiter("a,b;c,d\ne,f;g,h\n", 3));
    EXPECT_EQ(',', detectCsvDelimiter("single\ncolumn\n"));
}

LookupDef fixedLookup() {
    LookupDef l{};
    resetLookup(l);
    l.recLen = 12;
    l.fieldCount = 2;
    l.fieldOffset[0] = 1;
    l.fieldLen[0] = 5;
    l.fieldOffset[1] = 8;  // a gap of two spaces before it
    l.fieldLen[1] = 5;
    return l;
}

LookupDef separatedLookup() {
    LookupDef l{};
    resetLookup(l);
    l.separator = ';';
    l.fieldCount = 3;
    l.fieldLen[0] = 4;
    l.fieldLen[1] = 6;
    l.fieldLen[2] = 2;
    return l;
}

std::string cp(const char* utf8) { return utf8ToCp1251(utf8); }

TEST(LookupImport, LaysRowsOutAsTheLookupDefines) {
    struct Case {
        const char* name;
        LookupDef lookup;
        std::string csv;
        LookupImportOptions options;
        std::vector<std::string> lines;
    } cases[] = {
        {"fixed, padded at offsets", fixedLookup(), "123,Хлеб\n45678,\"a,b\"\n", {},
         {cp("123    Хлеб "), "45678  a,b  "}},
        {"separated, joined", separatedLookup(), "Код\tИмя\tN\n1\tМолоко\t2\n", {std::nullopt, true},
         {cp("1;Молоко;2")}},
        {"semicolons found, empty values", separatedLookup(), "a;;\n;b;c\n", {},
         {"a;;", ";b;c"}},
        {"delimiter told", separatedLookup(), "a|b|c\n", {'|', false}, {"a;b;c"}},
    };
    for (const auto& c : cases) {
        const LookupImport r = importCsvLookup(c.csv, c.lookup, c.options);
        EXPECT_TRUE(r.ok()) << c.name << ": " << (r.problems.empty() ? "" : describe(r.problems[0]));
        EXPECT_EQ(c.lines, r.lines) << c.name;
    }
    EXPECT_EQ("ab\r\n\r\nc\r\n", lookupFileBytes({"ab", "", "c"}));
}

TEST(LookupImport, RefusesTheWholeFileListingEveryProblem) {
    const LookupImport r = importCsvLookup(
        "ok,ok\n"
        "toolong,x\n"
        "a,b,c\n"
        "\xE2\x82\xAC\xE2\x9C\x93,x\n"  // the euro sign fits, the check mark does not
        "x,\"a\tb\"\n",
        fixedLookup(), {',', false});
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.lines.empty()) << "nothing of a refused file is kept";
    std::vector<std::string> described;
    for (const auto& p : r.problems) described.push_back(describe(p));
    EXPECT_EQ((std::vector<std::string>{
                  "line 2, column 1: 7 characters, the field holds 5",
                  "line 3: 3 columns, the lookup has 2 fields",
                  "line 4, column 1: \"✓\" (U+2713) has no Windows-1251 code",
                  "line 5, column 2: holds the control character 0x09",
              }),
              described);

    const LookupImport sep = importCsvLookup("a;b,c,d\n", separatedLookup(), {',', false});
    ASSERT_EQ(1u, sep.problems.size());
    EXPECT_EQ("line 1, column 1: holds the lookup's separator", describe(sep.problems[0]));

    LookupDef broken = fixedLookup();
    broken.fieldLen[1] = 6;  // reaches past the 12-byte record
    EXPECT_FALSE(importCsvLookup("a,b\n", broken, {}).layoutErrors.empty());
}

TEST(LookupImport, AWindows1251ExportGivesTheLinesOfItsUtf8Twin) {
    const std::string utf8 = "Код;Имя;N\n1;Молоко;2\n2;\"Хлеб, белый\";3\n";
    const LookupDef wide = [] {
        LookupDef l = separatedLookup();
        l.fieldLen[1] = 20;
        return l;
    }();
    const LookupImport fromUtf8 = importCsvLookup(utf8, wide, {std::nullopt, true});
    const LookupImport from1251 = importCsvLookup(cp(utf8.c_str()), wide, {std::nullopt, true});
    EXPECT_TRUE(from1251.ok()) << (from1251.problems.empty() ? "" : describe(from1251.problems[0]));
    EXPECT_EQ(2u, fromUtf8.lines.size());
    EXPECT_EQ(fromUtf8.lines, from1251.lines);
    EXPECT_EQ("UTF-8", fromUtf8.encoding);
    EXPECT_EQ("Windows-1251", from1251.encoding);

    // A UTF-16 export is neither: one problem that names both, not one per value.
    const LookupImport utf16 = importCsvLookup(std::string("\xFF\xFE" "1\0;\0" "2\0", 8), wide, {});
    ASSERT_EQ(1u, utf16.problems.size());
    EXPECT_EQ("line 1: the file is neither UTF-8 nor Windows-1251 text (both were tried): "
              "byte 0x00 at position 4 is not text",
              describe(utf16.problems[0]));
}

TEST(LookupEncoding, Utf8FilesAreFoundAndConvertedLineByLine) {
    struct Case {
        const char* name;
        std::string file;
        bool utf8;
        std::string converted;  // empty: refused with `refusal`
        std::string refusal;
    } cases[] = {
        {"ASCII goes as it is", "1;Milk\r\n", false, "1;Milk\r\n", ""},
        {"Windows-1251 is not UTF-8", cp("1;Молоко\r\n"), false, "", "line 1, column 3: byte 0xCC is not UTF-8"},
        {"line ends kept", "1;Молоко\r\n\r\n2;Хлеб\n3", true, cp("1;Молоко\r\n\r\n2;Хлеб\n3"), ""},
        {"byte order mark dropped", "\xEF\xBB\xBF" "Чай\r\n", true, cp("Чай\r\n"), ""},
        {"euro sign has a code", "€5\n", true, "\x88" "5\n", ""},
        {"no code, lines counted as sent", "a\rb\r\nok\nЯ✓\n", true, "",
         "line 4, column 2: \"✓\" (U+2713) has no Windows-1251 code"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.utf8, isUtf8LookupFile(c.file));
        const LookupRecoding r = recodeUtf8Lookup(c.file);
        EXPECT_EQ(c.converted, r.bytes);
        EXPECT_EQ(c.refusal, r.ok() ? "" : describe(r));
    }
}

TEST(LookupCheck, LinesEndAtLfCrLfOrCr) {
    const auto lines = splitLookupLines("a\r\nb\nc\rd");
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("d", lines[3].bytes);
    EXPECT_EQ(4, lines[3].number);
    EXPECT_EQ(2u, splitLookupLines("a\n\n").size()) << "an empty line between two ends is a line";
}

TEST(LookupCheck, EveryReasonALineIsNotTaken) {
    struct Case {
        const char* name;
        LookupDef lookup;
        std::string file;
        std::vector<std::string> reasons;  // "line: reason"
    } cases[] = {
        {"fixed fits", fixedLookup(), "123456789012\r\n", {}},
        {"fixed wrong length", fixedLookup(), "12345\n", {"1: 5 bytes, the record length is 12"}},
        {"separated fits", separatedLookup(), cp("1;Молоко;2\n1234;;\n"), {}},
        {"separated counts and lengths", separatedLookup(), "1;2\n12345;1234567;1\n",
         {"1: 2 fields, the lookup has 3", "2: field 1 is 5 bytes, at most 4",
          "2: field 2 is 7 bytes, at most 6"}},
        {"control byte", separatedLookup(), "1;\x01;2\n", {"1: byte 0x01 at column 3 is not text"}},
        {"UTF-8 text", separatedLookup(), "1;Хл;2\n",
         {"1: the text is in UTF-8; the terminal takes Windows-1251"}},
        {"too long for a frame", separatedLookup(), std::string(254, 'x'),
         {"1: 254 bytes, longer than the 253 a line can carry", "1: 1 fields, the lookup has 3"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& p : checkLookupLines(splitLookupLines(c.file), lookupLayout(c.lookup)))
            got.push_back(std::to_string(p.line) + ": " + p.reason);
        EXPECT_EQ(c.reasons, got) << c.name;
    }
}

TEST(LookupCheck, LayoutsThatCannotHoldARecord) {
    LookupDef overlapping = fixedLookup();
    overlapping.fieldOffset[1] = 3;
    LookupDef zeroOffset = fixedLookup();
    zeroOffset.fieldOffset[0] = 0;
    LookupDef empty{};
    resetLookup(empty);
    EXPECT_TRUE(layoutProblems(lookupLayout(fixedLookup())).empty());
    EXPECT_TRUE(layoutProblems(lookupLayout(separatedLookup())).empty());
    EXPECT_EQ((std::vector<std::string>{"fields 1 and 2 overlap"}),
              layoutProblems(lookupLayout(overlapping)));
    EXPECT_EQ(1u, layoutProblems(lookupLayout(zeroOffset)).size());
    EXPECT_EQ(2u, layoutProblems(lookupLayout(empty)).size());
}

}  // namespace
}  // namespace appgen
