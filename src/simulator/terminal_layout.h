// The terminal picture's fixed geometry and the display's paint order: the
// window's size, where the display's text and the clock line go, the size of
// every picture, and what a front end draws, in order, to show the display
// from the simulator's model. A front end supplies only the pixels: the
// pictures, a monospaced face for the glyphs, and a surface to draw on.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "simulator/keypad.h"
#include "simulator/simulator.h"

namespace appgen::simulator {

// The borderless terminal window, client pixels.
inline constexpr int kTerminalWidth = 200;
inline constexpr int kTerminalHeight = 459;
// Where the window first appears on the screen.
inline constexpr Point kTerminalStart{300, 50};

// The display's text: eight 20-character lines from this corner, a character
// every 6 pixels, a line every 10 (15 in the wide pitch); each glyph drawn in
// a cell 15 pixels tall.
inline constexpr Point kDisplayTextAt{39, 35};
inline constexpr int kCharPitch = 6;
inline constexpr int kLinePitch = 10;
inline constexpr int kWideLinePitch = 15;
inline constexpr int kGlyphCellHeight = 15;

// The clock line's cell: twenty characters of the display font, as it is
// drawn and shown on each tick.
inline constexpr Rect kClockCell{39, 105, 39 + 120, 105 + 15};

// The display's colours, ARGB.
inline constexpr std::uint32_t kLcdBackground = 0xFFA9B894;
inline constexpr std::uint32_t kLcdInk = 0xFF000000;
inline constexpr std::uint32_t kLcdBar = 0xFF26301F;
inline constexpr std::uint32_t kLcdInverseInk = 0xFFFFFFFF;  // text on the highlight bar

// Pictures the keypad header does not name.
inline constexpr int kHighlightBarPicture = 548;
inline constexpr int kClockBackgroundPicture = 549;
inline constexpr int kFirstPicture = 500;
inline constexpr int kLastPicture = 551;

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// The stated size of each picture 500..551; empty for a number that is none.
Size pictureSize(int id);

// One step of drawing the display, in the order given.
struct DisplayStroke {
    enum class Kind {
        Backdrop,  // the terminal picture's own pixels over `area`
        Picture,   // picture `picture` with its top-left corner at `at`
        Glyph,     // the Windows-1251 character `byte` in the 6 x 15 cell at `at`, in `ink`
    } kind = Kind::Backdrop;
    Rect area{};
    int picture = 0;
    Point at{};
    char byte = 0;
    std::uint32_t ink = kLcdInk;
    friend bool operator==(const DisplayStroke&, const DisplayStroke&) = default;
};
using DisplayStrokes = std::vector<DisplayStroke>;

// The whole display area from the model; the clock line and a pending letter
// are put back too, so that a repaint does not blank them until the next tick.
DisplayStrokes displayStrokes(const Simulator& sim);
// The clock line over its background.
DisplayStrokes clockLineStrokes(std::string_view text);
// The pending letter over the cursor block, in inverse video.
DisplayStrokes pendingCharStrokes(const DisplayModel& d, char ch);

}  // namespace appgen::simulator
