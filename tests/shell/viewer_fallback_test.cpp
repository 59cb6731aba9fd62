// A viewer that could not show the received data: the path is told, and the
// folder is offered only through an opener known to work, never the one
// that just failed.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/viewer_fallback.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

TEST(ViewerFallback, ThePathAloneOrTheFolderThroughItsOwnOpener) {
    // Absolute on either system, so the text shows it as it is.
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "in" / "R.TXT";
    const std::string folder = file.parent_path().string();
    const struct {
        const char* what;
        bool folderKnown;
        ui::Answer answer;
        bool folderOpened;
    } cases[] = {
        {"no folder opener known", false, ui::Answer::Ok, false},
        {"folder offered, Yes", true, ui::Answer::Yes, true},
        {"folder offered, No", true, ui::Answer::No, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui::HeadlessServices inner;
        std::vector<std::string> viewed;
        inner.launcher = [&](const std::string& p) {
            viewed.push_back(p);
            return false;
        };
        std::vector<std::string> folders;
        ViewerFallback ui(inner, [&]() -> FolderOpener {
            if (!c.folderKnown) return {};
            return [&](const std::string& f) {
                folders.push_back(f);
                return true;
            };
        });
        if (c.folderKnown) inner.queueAnswer(c.answer);
        EXPECT_FALSE(ui.launchViewer(file.string()));
        EXPECT_EQ(std::vector<std::string>{file.string()}, viewed) << "the failed opener is not tried again";
        EXPECT_EQ(c.folderOpened ? std::vector<std::string>{folder} : std::vector<std::string>{}, folders);
        ASSERT_FALSE(inner.events().empty());
        const auto& box = inner.events().back();
        EXPECT_EQ("Upload Data", box.caption);
        EXPECT_NE(std::string::npos, box.text.find("They are saved in\n" + file.string())) << box.text;
        EXPECT_EQ(c.folderKnown, box.text.find("Open the folder") != std::string::npos);
    }
}

TEST(ViewerFallback, AViewerThatShowsTheFileAsksNothing) {
    ui::HeadlessServices inner;
    bool asked = false;
    ViewerFallback ui(inner, [&] {
        asked = true;
        return FolderOpener();
    });
    EXPECT_TRUE(ui.launchViewer("/data/R.TXT"));
    EXPECT_FALSE(asked);
    EXPECT_EQ(1u, inner.events().size());  // the launch only
}

}  // namespace
}  // namespace appgen::shell
