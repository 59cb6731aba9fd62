#include <gtest/gtest.h>

#include "ui/window_placement.h"

namespace appgen::ui {
namespace {

TEST(WindowPlacement, FramesGoOverTheAnchorAndWhollyInsideTheArea) {
    const ScreenRect screen{0, 0, 800, 600};
    const ScreenRect terminal{300, 50, 200, 459};
    struct Case {
        int width, height;
        ScreenRect anchor, placed;
    };
    const Case cases[] = {
        {100, 80, terminal, {350, 240, 100, 80}},                // centred
        {700, 560, terminal, {50, 0, 700, 560}},                 // would rise above the top
        {300, 200, {650, 450, 200, 459}, {500, 400, 300, 200}},  // past the right and the bottom
        {900, 700, terminal, {0, 0, 900, 700}},                  // larger: the title bar stays
        {301, 201, {0, 0, 1, 1}, {0, 0, 301, 201}},              // odd sizes at the corner
    };
    for (const Case& c : cases) EXPECT_EQ(placeFrame(c.width, c.height, c.anchor, screen), c.placed) << c.width;
    // The terminal's start at scale 2 on a 1024 x 768 screen.
    EXPECT_EQ(keepInside(terminal, {0, 0, 512, 384}), (ScreenRect{300, 0, 200, 459}));
}

// At the lower right of a work area that does not start at the origin, the
// frame ends on the area's last pixel row and column, not one past.
TEST(WindowPlacement, TheClientSitsInsideItsFrameAtTheLowerRight) {
    const ScreenRect work{0, 24, 1280, 776};  // a panel above
    const FrameMargins m{4, 30, 4, 4};
    const ScreenRect client = placeClient(600, 400, m, {1200, 700, 200, 459}, work);
    EXPECT_EQ(client, (ScreenRect{1280 - 4 - 600, 24 + 776 - 4 - 400, 600, 400}));
    EXPECT_EQ(client.right() + m.right, work.right());
    EXPECT_EQ(client.bottom() + m.bottom, work.bottom());
}

TEST(WindowPlacement, GuessedMarginsKeepTheTitleBarOnScreenAtAnyScale) {
    EXPECT_EQ(guessedFrameMargins(1.0), (FrameMargins{4, 32, 4, 4}));
    EXPECT_EQ(guessedFrameMargins(1.25), (FrameMargins{4, 26, 4, 4}));  // rounded up
    EXPECT_EQ(guessedFrameMargins(2.0), (FrameMargins{2, 16, 2, 2}));
    EXPECT_EQ(guessedFrameMargins(0), guessedFrameMargins(1.0));
}

}  // namespace
}  // namespace appgen::ui
