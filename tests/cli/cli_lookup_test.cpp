// appgen-cli diff, lookup-check, lookup-import and --version, run as a user runs them.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

#include "project/project.h"
#include "support/cli_run.h"

namespace {

namespace fs = std::filesystem;

using appgen::testing::CliRun;
using appgen::testing::slurp;

CliRun cli(const std::string& args) { return appgen::testing::runCli(args); }

class CliLookup : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-cli-lookup-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        // Lookup 1: fixed records of 10 bytes, fields of 4 and 6; lookup 2 separated by ';'.
        EXPECT_EQ(0, cli("new " + at("p.TGP")).status);
        std::string bytes = slurp(at("p.TGP"));
        const std::size_t l1 = offsetof(appgen::Project, lookups);
        const std::size_t l2 = l1 + sizeof(appgen::LookupDef);
        const char fixed[] = {10, 2, 0, 1, 5, 1, 1, 1, 1, 1, 1, 4, 6};
        const char separated[] = {8, 2, 0, 1, 6, 1, 1, 1, 1, 1, 1, 4, 3};
        bytes.replace(l1, sizeof fixed, fixed, sizeof fixed);
        bytes.replace(l2, sizeof separated, separated, sizeof separated);
        bytes[l2 + 19] = ';';
        put("p.TGP", bytes);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const std::string& n) const { return (dir / n).string(); }
    void put(const std::string& n, const std::string& content) const {
        std::ofstream(at(n), std::ios::binary) << content;
    }
    fs::path dir;
};

TEST_F(CliLookup, ImportWritesTheLookupFile) {
    put("in.csv", "Код;Имя\nA1;\"Хлеб\"\n22;\"x;y\"\n");
    const CliRun fixed = cli("lookup-import " + at("in.csv") + " --project " + at("p.TGP") +
                             " --lookup 1 -o " + at("out.TXT") + " --skip-header");
    EXPECT_EQ(0, fixed.status) << fixed.out;
    EXPECT_EQ("A1  \xD5\xEB\xE5\xE1  \r\n22  x;y   \r\n", slurp(at("out.TXT")));
    EXPECT_EQ(0, cli("lookup-check " + at("out.TXT") + " --project " + at("p.TGP") + " --lookup 1").status);

    put("tab.csv", "a\tb\n");
    EXPECT_EQ(0, cli("lookup-import " + at("tab.csv") + " --project " + at("p.TGP") +
                     " --lookup 2 -o " + at("out.TXT") + " --delimiter tab")
                     .status);
    EXPECT_EQ("a;b\r\n", slurp(at("out.TXT")));
}

// A spreadsheet on a Russian PC saves "CSV" in Windows-1251: read as such, it
// gives the lookup file of its UTF-8 twin; a file that is neither says so once.
TEST_F(CliLookup, AWindows1251ExportGivesTheFileOfItsUtf8Twin) {
    const std::string utf8 = "Код;Имя\nA1;\"Хлеб\"\n22;Чай\n";
    put("utf8.csv", utf8);
    put("cp1251.csv", "\xCA\xEE\xE4;\xC8\xEC\xFF\nA1;\"\xD5\xEB\xE5\xE1\"\n22;\xD7\xE0\xE9\n");
    const std::string to = " --project " + at("p.TGP") + " --lookup 1 --skip-header -o ";
    ASSERT_EQ(0, cli("lookup-import " + at("utf8.csv") + to + at("a.TXT")).status);
    const CliRun r = cli("lookup-import " + at("cp1251.csv") + to + at("b.TXT"));
    EXPECT_EQ(0, r.status) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("read as Windows-1251")) << r.out;
    EXPECT_EQ(slurp(at("a.TXT")), slurp(at("b.TXT")));

    put("utf16.csv", std::string("\xFF\xFE" "1\0;\0" "2\0", 8));
    const CliRun neither = cli("lookup-import " + at("utf16.csv") + to + at("c.TXT"));
    EXPECT_EQ(1, neither.status);
    EXPECT_NE(std::string::npos, neither.out.find("neither UTF-8 nor Windows-1251")) << neither.out;
    EXPECT_EQ(std::string::npos, neither.out.find("is not UTF-8")) << neither.out;
}

TEST_F(CliLookup, RefusalsListEveryProblemAndWriteNothing) {
    put("in.csv", "a,b\ntoolong,b\na,b,c\n");
    const CliRun r = cli("lookup-import " + at("in.csv") + " --project " + at("p.TGP") +
                         " --lookup 1 -o " + at("out.TXT"));
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find("line 2, column 1: 7 characters, the field holds 4"));
    EXPECT_NE(std::string::npos, r.out.find("line 3: 3 columns, the lookup has 2 fields"));
    EXPECT_FALSE(fs::exists(at("out.TXT")));

    put("data.TXT", "abcd123456\nshort\r\n");
    const CliRun check = cli("lookup-check " + at("data.TXT") + " --project " + at("p.TGP") + " --lookup 1");
    EXPECT_EQ(1, check.status);
    EXPECT_NE(std::string::npos, check.out.find("data.TXT:2: 5 bytes, the record length is 10"));
    EXPECT_EQ(2, cli("lookup-check " + at("data.TXT") + " --project " + at("p.TGP") + " --lookup 3").status)
        << "lookup 3 has no fields";
}

TEST_F(CliLookup, DiffAnswersAsDiffDoes) {
    std::string changed = slurp(at("p.TGP"));
    changed[offsetof(appgen::Project, lookups) + 11] = 9;
    put("q.TGP", changed);
    const CliRun differ = cli("diff " + at("p.TGP") + " " + at("q.TGP"));
    EXPECT_EQ(1, differ.status);
    EXPECT_EQ("База 1, поле 1: длина 4 → 9\n", differ.out);
    EXPECT_EQ(0, cli("diff " + at("p.TGP") + " " + at("p.TGP")).status);
    EXPECT_EQ(2, cli("diff " + at("p.TGP") + " " + at("missing.TGP")).status);
    EXPECT_EQ(2, cli("diff " + at("p.TGP")).status);
}

TEST(CliVersion, NameAndVersion) {
    const CliRun r = cli("--version");
    EXPECT_EQ(0, r.status);
    EXPECT_NE(std::string::npos, r.out.find("Ver 1.13r"));
}

}  // namespace
