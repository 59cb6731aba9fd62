// appgen-cli compile, run as a user runs it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/program_image.h"
#include "project/project_file.h"
#include "support/cli_run.h"

namespace appgen {
namespace {

namespace fs = std::filesystem;

using appgen::testing::CliRun;
using appgen::testing::slurp;

CliRun cli(const std::string& args) { return appgen::testing::runCli("compile " + args); }

class CompileCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("appgen-image-cli-" + std::to_string(getpid()));
        fs::create_directories(dir);
        Project p{};
        resetBarcodeSettings(p);
        resetProject(p);
        p.menus[0].titleOn = 1;
        p.terminal.startWith = 1;
        std::ofstream(at("p.TGP"), std::ios::binary) << projectFileImage(p);
        const link::ProgramImage img = link::compile(p);
        expected.assign(reinterpret_cast<const char*>(img.data()), img.size());
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const std::string& n) const { return (dir / n).string(); }
    fs::path dir;
    std::string expected;
};

TEST_F(CompileCommand, WritesTheImageAndLeavesTheProjectAlone) {
    const std::string before = slurp(at("p.TGP"));
    const CliRun r = cli(at("p.TGP") + " -o " + at("p.img"));
    ASSERT_EQ(0, r.status) << r.out;
    EXPECT_EQ(expected, slurp(at("p.img")));
    EXPECT_EQ(before, slurp(at("p.TGP")));
    EXPECT_FALSE(fs::exists(at("p.img.tmp")));
    // The output may come first, and an existing image is replaced.
    ASSERT_EQ(0, cli("-o " + at("p.img") + " " + at("p.TGP")).status);
    EXPECT_EQ(expected, slurp(at("p.img")));
}

TEST_F(CompileCommand, ExitStatusTellsUsageFromFailure) {
    struct Row {
        std::string args;
        int status;
        const char* said;
    };
    std::ofstream(at("bad.TGP")) << "not a project";
    const Row rows[] = {
        {"--help", 0, "usage: appgen-cli compile PROJECT -o IMAGE"},
        {at("p.TGP"), 2, "usage:"},
        {"-o " + at("x.img"), 2, "usage:"},
        {at("p.TGP") + " -o", 2, "usage:"},
        {at("p.TGP") + " " + at("q.TGP") + " -o " + at("x.img"), 2, "usage:"},
        {at("missing.TGP") + " -o " + at("x.img"), 1, "cannot open"},
        {at("bad.TGP") + " -o " + at("x.img"), 1, "Format mismatch !!!"},
        {at("p.TGP") + " -o " + at("no/such/dir/x.img"), 1, "cannot write"},
    };
    for (const Row& r : rows) {
        const CliRun run = cli(r.args);
        EXPECT_EQ(r.status, run.status) << r.args << "\n" << run.out;
        EXPECT_NE(std::string::npos, run.out.find(r.said)) << r.args << "\n" << run.out;
    }
    EXPECT_FALSE(fs::exists(at("x.img")));
}

}  // namespace
}  // namespace appgen
