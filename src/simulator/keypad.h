// The terminal picture's geometry: which key a client point hits and where
// each key's pictures go, and the rectangles of the display areas that the
// simulator asks to have drawn again. Client pixels, origin at the top left.
#pragma once

#include <array>

#include "simulator/key_codes.h"
#include "simulator/sim_interfaces.h"
#include "simulator/simulator.h"

namespace appgen::simulator {

struct Point {
    int x = 0;
    int y = 0;
};
inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// Right and bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct KeyHit {
    int code = 0;   // 1..23, or 0 for no key
    Point origin;   // where its pictures are drawn while pressed and when released
};

KeyHit keyAt(int x, int y);

// Picture resources.
inline constexpr int kTerminalPicture = 500;
inline constexpr int kCursorPicture = 547;
inline constexpr int kAlphaOnPicture = 550;
inline constexpr int kAlphaOffPicture = 551;
inline constexpr Point kAlphaIndicatorAt{154, 90};
inline int normalKeyPicture(int code) { return 500 + code; }
inline int pressedKeyPicture(int code) { return 523 + code; }

struct PicturePlacement {
    int picture = 0;
    Point at;
};
// What a full repaint draws before the display: the terminal, then the normal
// picture of every key. Keys 1..15 sit on a grid that is one pixel off some of
// their press origins; each drawing keeps its own position.
std::array<PicturePlacement, 1 + kKeyCount> fullRepaintPictures();

// The rectangle to draw again for a repaint request; `line` is the display
// line of DisplayArea::Line, and the cursor cell places a pending character.
Rect displayAreaRect(DisplayArea area, int line, const DisplayModel& display);

}  // namespace appgen::simulator
