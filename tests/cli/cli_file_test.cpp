// The file commands of appgen-cli, run as a user runs them.
#include <gtest/gtest.h>


#include <cstdio>
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

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override {
        // CTest runs the tests of this fixture side by side: each has its own folder.
        dir = fs::temp_directory_path() /
              ("appgen-cli-files-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const std::string& n) const { return (dir / n).string(); }
    fs::path dir;
};

TEST_F(CliFiles, NewConvertDumpRoundTrip) {
    ASSERT_EQ(0, cli("new " + at("a.TGP")).status);
    const std::string a = slurp(at("a.TGP"));
    ASSERT_EQ(appgen::kProjectFileSize, a.size());
    EXPECT_EQ(0, a.compare(0, 10, std::string("4610-1.00\0", 10)));
    ASSERT_EQ(0, cli("convert " + at("a.TGP") + " " + at("b.TGP")).status);
    EXPECT_EQ(a, slurp(at("b.TGP")));
    const CliRun dump = cli("dump " + at("a.TGP"));
    EXPECT_EQ(0, dump.status);
    EXPECT_NE(std::string::npos, dump.out.find("1.Сбор данных"));
    EXPECT_NE(std::string::npos, dump.out.find("Utilities (8x20)"));
}

TEST_F(CliFiles, BadInputFailsCleanlyAndNeverDamagesTheTarget) {
    ASSERT_EQ(0, cli("new " + at("keep.TGP")).status);
    const std::string before = slurp(at("keep.TGP"));
    std::ofstream(at("empty.TGP")).close();
    std::ofstream(at("junk.TGP")) << "4610-1.0X and more";
    fs::create_directories(at("folder"));
    struct Case {
        std::string args;
        int status;
        std::string message;
    } cases[] = {
        {"convert " + at("empty.TGP") + " " + at("keep.TGP"), 1, "Format mismatch !!!"},
        {"convert " + at("junk.TGP") + " " + at("keep.TGP"), 1, "Format mismatch !!!"},
        {"convert " + at("none.TGP") + " " + at("keep.TGP"), 1, "no such file"},
        {"convert " + at("folder") + " " + at("keep.TGP"), 1, "directory"},
        {"dump " + at("junk.TGP"), 1, "Format mismatch !!!"},
        {"convert " + at("keep.TGP") + " " + at("folder"), 1, "cannot write"},
        {"new " + at("missing/x.TGP"), 1, "cannot write"},
        {"convert " + at("keep.TGP"), 2, "usage"},
        {"new", 2, "usage"},
        {"frobnicate", 2, "unknown command"},
        {"dump --help", 0, "usage"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(c.status, r.status) << c.args << "\n" << r.out;
        EXPECT_NE(std::string::npos, r.out.find(c.message)) << c.args << "\n" << r.out;
    }
    EXPECT_EQ(before, slurp(at("keep.TGP")));
}

TEST_F(CliFiles, ShortFileConvertsWithAWarning) {
    ASSERT_EQ(0, cli("new " + at("a.TGP")).status);
    const std::string a = slurp(at("a.TGP"));
    std::ofstream(at("short.TGP"), std::ios::binary) << a.substr(0, 1000);
    const CliRun r = cli("convert " + at("short.TGP") + " " + at("b.TGP"));
    EXPECT_EQ(0, r.status);
    EXPECT_NE(std::string::npos, r.out.find("Warning"));
    EXPECT_EQ(a, slurp(at("b.TGP")));
}

}  // namespace
