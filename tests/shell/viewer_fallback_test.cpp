// A viewer that could not show the received data: the path is told, and the
// folder is offered only through an opener known to work, never the one
// that just failed.
#include <gtest/gtest.h>

#include "shell/viewer_fallback.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

TEST(ViewerFallback, ThePathAloneOrTheFolderThroughItsOwnOpener) {
    const struct {
        const char* what;
        bool folderKnown;
        ui::Answer answer;
        std::vector<std::string> foldersOpened;
    } cases[] = {
        {"no folder opener known", false, ui::Answer::Ok, {}},
        {"folder offered, Yes", true, ui::Answer::Yes, {"/data/in"}},
        {"folder offered, No", true, ui::Answer::No, {}},
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
        EXPECT_FALSE(ui.launchViewer("/data/in/R.TXT"));
        EXPECT_EQ(std::vector<std::string>{"/data/in/R.TXT"}, viewed) << "the failed opener is not tried again";
        EXPECT_EQ(c.foldersOpened, folders);
        ASSERT_FALSE(inner.events().empty());
        const auto& box = inner.events().back();
        EXPECT_EQ("Upload Data", box.caption);
        EXPECT_NE(std::string::npos, box.text.find("They are saved in\n/data/in/R.TXT")) << box.text;
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
