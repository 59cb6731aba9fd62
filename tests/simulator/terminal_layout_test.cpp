// The PC keyboard's table and the display's paint order, as every front end
// plays them.
#include <set>

#include "sim_harness.h"
#include "simulator/pc_keyboard.h"
#include "simulator/terminal_layout.h"

namespace appgen::simulator::testing {
namespace {

TEST(PcKeyboard, EveryTerminalKeyHasAPcKeyWhoseClickPointHitsIt) {
    std::set<int> codes;
    for (const PcKeyBinding& k : pcKeyboard()) {
        const Point at = clickPointOf(k.code);
        EXPECT_EQ(keyAt(at.x, at.y).code, k.code) << k.code;
        EXPECT_EQ(terminalKeyFor(k.key, k.keypad ? kKeypadModifier : kNoModifier), k.code);
        EXPECT_EQ(terminalKeyFor(k.key, kKeypadModifier | kShiftModifier), k.code) << "Shift changes nothing";
        codes.insert(k.code);
    }
    EXPECT_EQ(codes.size(), std::size_t(kKeyCount));
    EXPECT_EQ(clickPointOf(0), (Point{-1, -1}));
    EXPECT_EQ(clickPointOf(kKeyCount + 1), (Point{-1, -1}));
}

TEST(PcKeyboard, AcceleratorsAndTheMainKeysStayOutOfTheKeypadsTable) {
    // Ctrl, Alt and Meta belong to the accelerators.
    for (const PcModifiers m : {kControlModifier, kAltModifier, kMetaModifier})
        EXPECT_EQ(terminalKeyFor(PcKey::Digit1, m), 0) << m;
    // The keypad's own keys only from the keypad: the main Enter is ENTER.
    EXPECT_EQ(terminalKeyFor(PcKey::Enter, kNoModifier), 0);
    EXPECT_EQ(terminalKeyFor(PcKey::Comma, kNoModifier), 0);
    EXPECT_EQ(terminalKeyFor(PcKey::Return, kKeypadModifier), kKeyEnter);
    EXPECT_EQ(terminalKeyFor(PcKey::LetterE, kNoModifier), 0);
}

std::vector<DisplayStroke::Kind> kinds(const DisplayStrokes& strokes) {
    std::vector<DisplayStroke::Kind> out;
    for (const DisplayStroke& s : strokes) out.push_back(s.kind);
    return out;
}

TEST(DisplayPaint, TheClockLineClearsItsWholeCellBeforeItsDigits) {
    using K = DisplayStroke::Kind;
    const DisplayStrokes s = clockLineStrokes(std::string("12:34 0\0zz", 10));
    ASSERT_EQ(kinds(s), (std::vector<K>{K::Backdrop, K::Picture, K::Glyph, K::Glyph, K::Glyph, K::Glyph, K::Glyph,
                                        K::Glyph}));
    EXPECT_EQ(s[0].area, kClockCell);
    EXPECT_EQ(s[1].picture, kClockBackgroundPicture);
    // Spaces leave the background; a NUL ends the line.
    EXPECT_EQ(s[6].at, (Point{kClockCell.left + 4 * kCharPitch, kClockCell.top}));
    EXPECT_EQ(s[7].at, (Point{kClockCell.left + 6 * kCharPitch, kClockCell.top}));
    EXPECT_EQ(s[7].byte, '0');
}

TEST(DisplayPaint, APendingLetterIsCutOutOfTheCursorBlock) {
    DisplayModel d;
    d.cursorRow = 2;
    d.cursorCol = 5;
    const DisplayStrokes s = pendingCharStrokes(d, 'W');
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].picture, kCursorPicture);
    EXPECT_EQ(s[0].at, (Point{39 + 30, 36 + 20}));
    EXPECT_EQ(s[1].at, s[0].at);
    EXPECT_EQ(s[1].ink, kLcdBackground);
}

class DisplayPaintOfAScreen : public SimTest {};

TEST_F(DisplayPaintOfAScreen, BackdropFirstTheBarUnderItsLineAndTheClockLast) {
    sim.start();
    sim.tick();
    const DisplayModel& d = sim.display();
    ASSERT_EQ(d.state, SimState::MainScreen);
    ASSERT_EQ(d.highlightLine, 1);
    const DisplayStrokes s = displayStrokes(sim);
    ASSERT_GT(s.size(), 3u);
    EXPECT_EQ(s[0].kind, DisplayStroke::Kind::Backdrop);
    EXPECT_EQ(s[0].area, displayAreaRect(DisplayArea::WholeDisplay, 0, d));
    EXPECT_EQ(s[1].picture, kHighlightBarPicture);
    EXPECT_EQ(s[1].at, (Point{39, 37}));
    EXPECT_EQ(s[2].kind, DisplayStroke::Kind::Glyph);
    EXPECT_EQ(s[2].ink, kLcdInverseInk);
    // The clock line comes after every screen line.
    std::size_t clock = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i].kind == DisplayStroke::Kind::Backdrop && s[i].area == kClockCell) clock = i;
    ASSERT_GT(clock, 0u);
    for (std::size_t i = clock + 2; i < s.size(); ++i) EXPECT_EQ(s[i].at.y, kClockCell.top);
}

TEST(PictureSizes, EveryPictureHasItsSizeAndPressedKeysTheirNormalOnes) {
    EXPECT_EQ(pictureSize(kTerminalPicture), (Size{kTerminalWidth, kTerminalHeight}));
    for (int id = kFirstPicture; id <= kLastPicture; ++id) EXPECT_GT(pictureSize(id).width, 0) << id;
    for (int code = 1; code <= kKeyCount; ++code)
        EXPECT_EQ(pictureSize(pressedKeyPicture(code)), pictureSize(normalKeyPicture(code))) << code;
    EXPECT_EQ(pictureSize(kFirstPicture - 1), Size{});
    EXPECT_EQ(pictureSize(kLastPicture + 1), Size{});
}

}  // namespace
}  // namespace appgen::simulator::testing
