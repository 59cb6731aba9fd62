// The viewer counts as started only when its opener says so: xdg-open exits
// 3 or 4 when no program takes the file. Fake openers on PATH stand in.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/viewer.h"

namespace appgen::platform {
namespace {

namespace fs = std::filesystem;

class FakeOpeners : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-viewer-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", dir.c_str(), 1);  // nothing but the fakes
    }
    void TearDown() override {
        setenv("PATH", oldPath.c_str(), 1);
        fs::remove_all(dir);
    }
    void fake(const std::string& name, const std::string& body) {
        const fs::path p = dir / name;
        std::ofstream(p) << "#!/bin/sh\n" << body << "\n";
        chmod(p.c_str(), 0755);
    }
    fs::path dir;
    std::string oldPath;
};

TEST_F(FakeOpeners, TheOpenersExitStatusDecides) {
    const struct {
        const char* what;
        const char* body;  // empty: no opener at all
        bool shown;
    } cases[] = {
        {"handed on", "exit 0", true},
        {"no program for text/plain", "exit 4", false},
        {"a tool it needs is missing", "exit 3", false},
        {"no opener", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(dir / "xdg-open");
        if (*c.body) fake("xdg-open", c.body);
        EXPECT_EQ(c.shown, launchViewer((dir / "R.TXT").string()));
    }
}

TEST_F(FakeOpeners, AFolderIsOfferedOnlyWhereTheDesktopNamesAProgramForIt) {
    fake("xdg-open", "exit 0");
    fake("xdg-mime", "exit 0");  // answers with no program
    EXPECT_FALSE(folderOpener());
    fake("xdg-mime", "echo org.example.Files.desktop");
    const FolderOpener open = folderOpener();
    ASSERT_TRUE(open);
    EXPECT_TRUE(open(dir.string()));
    fs::remove(dir / "xdg-mime");
    EXPECT_FALSE(folderOpener());
}

}  // namespace
}  // namespace appgen::platform
