// Where windows go on the screen, in whole pixels of the desktop: the
// terminal at its start position unless that puts it partly off the screen,
// and every dialog and box centred on the terminal, moved so that its whole
// frame, title bar included, lies inside the screen's available area (never
// under a panel, always draggable).
#pragma once

namespace appgen::ui {

// A rectangle by its top-left corner and size; right and bottom are the first
// pixels past it.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// What the window manager draws around a window's client area.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// The window's frame at `wanted`, moved into `available` as little as it
// takes; one larger than the area keeps its top-left corner (its title bar) in it.
ScreenRect keepInside(const ScreenRect& wanted, const ScreenRect& available);

// A frame of that size centred on `anchor`, then moved into `available`.
ScreenRect placeFrame(int width, int height, const ScreenRect& anchor, const ScreenRect& available);

// The client area of a window of `clientWidth` x `clientHeight` whose frame,
// with those margins, is placed over `anchor` inside `available`.
ScreenRect placeClient(int clientWidth, int clientHeight, const FrameMargins& margins, const ScreenRect& anchor,
                       const ScreenRect& available);

// The margins a window manager is guessed to draw before any window has shown
// its own: a title bar and thin borders, in device pixels turned into logical
// ones at `devicePixelRatio`, rounded up so that the title bar stays on the screen.
FrameMargins guessedFrameMargins(double devicePixelRatio);

}  // namespace appgen::ui
