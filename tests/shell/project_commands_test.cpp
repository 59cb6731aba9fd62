#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/project_file.h"
#include "shell/project_commands.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

namespace fs = std::filesystem;
using ui::Answer;
using Kind = ui::RecordedEvent::Kind;

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("appgen-shell-" + std::string(::testing::UnitTest::GetInstance()
                                                  ->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        reset();
    }
    void TearDown() override { fs::remove_all(dir_); }
    void reset() {
        resetBarcodeSettings(ws.project);
        resetProject(ws.project);
    }
    std::string path(const std::string& n) const { return (dir_ / n).string(); }
    std::vector<std::string> boxes() const {
        std::vector<std::string> out;
        for (const auto& e : ui.events())
            if (e.kind == Kind::Box) out.push_back(e.caption + ": " + e.text);
        return out;
    }

    fs::path dir_;
    Workspace ws;
    ui::HeadlessServices ui;
};

TEST(ProjectSuffix, AppendedUnlessAlreadyThere) {
    EXPECT_EQ("job.TGP", withProjectSuffix("job"));
    EXPECT_EQ("job.tgp", withProjectSuffix("job.tgp"));
    EXPECT_EQ("job.TgP", withProjectSuffix("job.TgP"));
    EXPECT_EQ("job.tgt.TGP", withProjectSuffix("job.tgt"));
    EXPECT_EQ(".TGP", withProjectSuffix(""));
}

TEST_F(ProjectCommands, SaveAsAddsSuffixAndOpenReadsItBack) {
    ws.project.forms[0].lineType[0] = kLineText;
    ui.queueFile(path("job"));
    ASSERT_TRUE(saveProject(ws, ui));  // no file name yet: save as
    EXPECT_EQ(path("job.TGP"), ws.fileName);
    ASSERT_EQ(1u, ui.fileRequests.size());
    const auto& req = ui.fileRequests[0];
    EXPECT_EQ("TGP", req.defaultExtension);
    ASSERT_EQ(1u, req.filters.size());
    EXPECT_EQ("*.TGP", req.filters[0].pattern);
    EXPECT_TRUE(req.options & ui::kOverwritePrompt);

    reset();
    ui.queueFile(path("job.TGP"));
    ASSERT_TRUE(openProject(ws, ui));
    EXPECT_EQ(kLineText, ws.project.forms[0].lineType[0]);
    EXPECT_EQ(path("job.TGP"), ws.fileName);
    EXPECT_EQ(3u, ui.fileRequests[1].filters.size());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ProjectCommands, CancelledDialogsChangeNothing) {
    ws.fileName = "keep.TGP";
    ui.queueFile(std::nullopt);
    EXPECT_FALSE(saveProjectAs(ws, ui));
    EXPECT_EQ("keep.TGP", ws.fileName);
    ui.queueFile(std::nullopt);
    EXPECT_FALSE(openProject(ws, ui));
    EXPECT_EQ("", ws.fileName);  // an open starts by forgetting the name
}

TEST_F(ProjectCommands, FailedOpenForgetsTheNameSoASaveCannotOverwriteIt) {
    const std::string junk = path("junk.TGP");
    std::ofstream(junk) << "not a project";
    ui.queueFile(junk);
    EXPECT_FALSE(openProject(ws, ui));
    EXPECT_EQ("", ws.fileName);
    EXPECT_EQ(std::vector<std::string>{"Error: Format mismatch !!!"}, boxes());

    ui.queueFile(path("missing.TGP"));
    EXPECT_FALSE(openProject(ws, ui));  // silent
    EXPECT_EQ(1u, boxes().size());
    EXPECT_EQ("", ws.fileName);
}

TEST_F(ProjectCommands, ShortFileLoadsWithAWarningAndOlderFileLeavesNoName) {
    std::string image = projectFileImage(ws.project);
    std::ofstream(path("short.TGP"), std::ios::binary) << image.substr(0, 3000);
    ui.queueFile(path("short.TGP"));
    EXPECT_TRUE(openProject(ws, ui));
    ASSERT_EQ(1u, boxes().size());
    EXPECT_EQ(0u, boxes()[0].find("Warning: "));

    std::string old(10510, '\0');
    old.replace(0, 8, "M40-3.10");
    std::ofstream(path("old.TGP"), std::ios::binary) << old;
    ui.queueFile(path("old.TGP"));
    EXPECT_TRUE(openProject(ws, ui));
    EXPECT_EQ("", ws.fileName);
}

TEST_F(ProjectCommands, FailedWriteIsReportedAndTooLongNamesAreRefused) {
    fs::create_directories(path("dir.TGP"));
    ws.fileName = path("dir.TGP");
    EXPECT_FALSE(saveProject(ws, ui));
    ASSERT_EQ(1u, boxes().size());
    EXPECT_EQ(0u, boxes()[0].find("Error: "));

    ui.queueFile(std::string(252, 'a'));  // fits alone, not with ".TGP"
    ws.fileName = "before.TGP";
    EXPECT_FALSE(saveProjectAs(ws, ui));
    EXPECT_EQ("before.TGP", ws.fileName);
    EXPECT_EQ(2u, boxes().size());
}

}  // namespace
}  // namespace appgen::shell
