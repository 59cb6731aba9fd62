// The terminal picture: key hit rules and origins, picture positions, repaint
// rectangles, and what the mouse does on and off the keys.
#include <string>
#include <vector>

#include "sim_harness.h"
#include "simulator/keypad.h"
#include "simulator/simulator_window.h"

namespace appgen::simulator::testing {
namespace {

TEST(KeyAt, PointsOnAndBetweenKeys) {
    struct Case {
        int x, y, code;
        Point origin;
    } cases[] = {
        {60, 300, 1, {38, 295}},      {79, 300, 0, {}},           {100, 300, 2, {79, 295}},
        {154, 398, 12, {121, 376}},   {100, 250, 19, {83, 241}},  {100, 280, 22, {83, 265}},
        {60, 269, 18, {47, 239}},     {60, 280, 21, {47, 263}},   {120, 250, 20, {118, 239}},
        {120, 280, 23, {118, 263}},   {50, 200, 16, {43, 197}},   {140, 234, 17, {129, 197}},
        {100, 210, 0, {}},            {50, 410, 13, {38, 403}},   {95, 425, 14, {78, 403}},
        {150, 404, 15, {121, 403}},   {115, 410, 0, {}},          {48, 268, 0, {}},
        {60, 320, 0, {}},             {10, 10, 0, {}},            {60, 378, 10, {38, 376}},
        {100, 360, 8, {79, 349}},     {130, 330, 6, {121, 322}},
    };
    for (const auto& c : cases) {
        const KeyHit hit = keyAt(c.x, c.y);
        EXPECT_EQ(c.code, hit.code) << c.x << "," << c.y;
        if (c.code != 0) {
            EXPECT_EQ(c.origin.x, hit.origin.x) << c.x << "," << c.y;
            EXPECT_EQ(c.origin.y, hit.origin.y) << c.x << "," << c.y;
        }
    }
}

TEST(KeyAt, EveryKeyIsReachable) {
    std::vector<bool> seen(kKeyCount + 1, false);
    for (int y = 0; y < 459; ++y)
        for (int x = 0; x < 200; ++x) seen[static_cast<std::size_t>(keyAt(x, y).code)] = true;
    for (int k = 1; k <= kKeyCount; ++k) EXPECT_TRUE(seen[static_cast<std::size_t>(k)]) << k;
}

TEST(Pictures, FullRepaintPutsKeysOnTheirGrid) {
    const auto pics = fullRepaintPictures();
    EXPECT_EQ(kTerminalPicture, pics[0].picture);
    EXPECT_EQ((Point{38, 295}), pics[1].at);
    EXPECT_EQ((Point{120, 295}), pics[3].at);  // one pixel left of its press origin
    EXPECT_EQ((Point{79, 403}), pics[14].at);  // one pixel right of its press origin
    EXPECT_EQ(515, pics[15].picture);
    EXPECT_EQ((Point{120, 403}), pics[15].at);
    EXPECT_EQ((Point{129, 197}), pics[17].at);
    EXPECT_EQ((Point{118, 263}), pics[23].at);
    EXPECT_EQ(523, pics[23].picture);
    EXPECT_EQ(546, pressedKeyPicture(23));
}

TEST(Pictures, RepaintAreasMapToTheirRectangles) {
    DisplayModel d;
    d.cursorRow = 2;
    d.cursorCol = 3;
    EXPECT_EQ((Rect{38, 35, 167, 120}), displayAreaRect(DisplayArea::WholeDisplay, 0, d));
    EXPECT_EQ((Rect{38, 35, 167, 86}), displayAreaRect(DisplayArea::MainMenuLines, 0, d));
    EXPECT_EQ((Rect{38, 65, 167, 80}), displayAreaRect(DisplayArea::Line, 3, d));
    EXPECT_EQ((Rect{39, 105, 155, 117}), displayAreaRect(DisplayArea::ClockLine, 0, d));
    EXPECT_EQ((Rect{57, 56, 63, 71}), displayAreaRect(DisplayArea::PendingChar, 0, d));
}

class FakeSurface : public WindowSurface {
public:
    void captureMouse() override { log.push_back("capture"); }
    void releaseMouse() override { log.push_back("release"); }
    void drawPicture(int picture, Point at) override {
        log.push_back("draw " + std::to_string(picture) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    Rect windowOnScreen() override { return {300, 50, 500, 509}; }
    void drawDragOutline(const Rect& f) override {
        log.push_back("outline " + std::to_string(f.left) + "," + std::to_string(f.top));
    }
    void moveWindow(const Rect& f) override {
        log.push_back("move " + std::to_string(f.left) + "," + std::to_string(f.top) + " " +
                      std::to_string(f.right - f.left) + "x" + std::to_string(f.bottom - f.top));
    }
    void openCommandMenu(Point at) override {
        log.push_back("menu " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    std::vector<std::string> log;
};

class Window : public SimTest {
protected:
    FakeSurface surface;
    SimulatorWindow window{sim, surface};
};

TEST_F(Window, KeyPressShowsItPressedAndDispatchesIt) {
    sim.start();
    window.leftButtonDown(60, 250 + 19);  // key 18, ignored by the main screen
    window.leftButtonDown(100, 250);      // up: item 3
    EXPECT_TRUE(sim.display().keyDown);
    EXPECT_EQ(3, sim.display().highlightLine);
    window.leftButtonUp();
    EXPECT_FALSE(sim.display().keyDown);
    EXPECT_EQ((std::vector<std::string>{"capture", "draw 541 47,239", "capture", "draw 542 83,241",
                                        "draw 519 83,241", "release"}),
              surface.log);
}

TEST_F(Window, AlphaKeyTogglesTheIndicatorOnlyOnAForm) {
    sim.start();
    window.leftButtonDown(60, 410);
    window.leftButtonUp();
    EXPECT_FALSE(sim.display().alphaMode);
    EXPECT_EQ("draw 536 38,403", surface.log[1]);

    defineForm(1, {{kLineText, "A:"}});
    sim.pressKey(1);
    surface.log.clear();
    window.leftButtonDown(60, 410);
    EXPECT_TRUE(sim.display().alphaMode);
    EXPECT_EQ("draw 550 154,90", surface.log[1]);
    window.leftButtonUp();
    window.leftButtonDown(60, 410);
    EXPECT_FALSE(sim.display().alphaMode);
    EXPECT_EQ("draw 551 154,90", surface.log[surface.log.size() - 2]);
    EXPECT_EQ("draw 536 38,403", surface.log.back());
}

TEST_F(Window, PowerKeyOpensTheCommandMenuAtItsOriginOnRelease) {
    sim.start();
    window.leftButtonDown(100, 410);
    EXPECT_EQ("draw 537 78,403", surface.log.back());
    window.leftButtonUp();
    EXPECT_EQ("menu 78,403", surface.log.back());
    window.rightButtonDown(12, 34);
    EXPECT_EQ("menu 12,34", surface.log.back());
}

TEST_F(Window, DragMovesOnlyTheOutlineUntilRelease) {
    sim.start();
    window.leftButtonDown(10, 10);
    ASSERT_TRUE(window.dragging());
    window.mouseMove(30, 5);
    window.mouseMove(0xFFFF - 4, 0xFFFF);  // five and none to the left, as 16-bit values
    window.leftButtonUp();
    EXPECT_EQ((std::vector<std::string>{"capture", "outline 300,50", "outline 300,50", "outline 320,45",
                                        "outline 320,45", "outline 286,40", "outline 286,40",
                                        "move 286,40 200x459", "release"}),
              surface.log);
    EXPECT_FALSE(window.dragging());
    EXPECT_EQ(SimState::MainScreen, state());
}

TEST_F(Window, MovesWhileAKeyIsHeldDoNotDrag) {
    sim.start();
    window.leftButtonDown(60, 300);
    window.mouseMove(90, 90);
    EXPECT_FALSE(window.dragging());
    EXPECT_EQ(2u, surface.log.size());
}

}  // namespace
}  // namespace appgen::simulator::testing
