#include "ui/window_placement.h"

#include <cmath>

namespace appgen::ui {
namespace {

// What most window managers draw, in device pixels.
constexpr int kGuessedTitleBar = 32;
constexpr int kGuessedBorder = 4;

}  // namespace

ScreenRect keepInside(const ScreenRect& wanted, const ScreenRect& available) {
    ScreenRect r = wanted;
    if (r.right() > available.right()) r.x = available.right() - r.width;
    if (r.bottom() > available.bottom()) r.y = available.bottom() - r.height;
    // Left and top last: a frame larger than the area shows its title bar.
    if (r.x < available.x) r.x = available.x;
    if (r.y < available.y) r.y = available.y;
    return r;
}

ScreenRect placeFrame(int width, int height, const ScreenRect& anchor, const ScreenRect& available) {
    // Centred as a QRect centres: on the middle pixel, rounding towards the top left.
    const int cx = anchor.x + (anchor.width - 1) / 2;
    const int cy = anchor.y + (anchor.height - 1) / 2;
    return keepInside({cx - (width - 1) / 2, cy - (height - 1) / 2, width, height}, available);
}

ScreenRect placeClient(int clientWidth, int clientHeight, const FrameMargins& m, const ScreenRect& anchor,
                       const ScreenRect& available) {
    const ScreenRect frame = placeFrame(clientWidth + m.left + m.right, clientHeight + m.top + m.bottom, anchor, available);
    return {frame.x + m.left, frame.y + m.top, clientWidth, clientHeight};
}

FrameMargins guessedFrameMargins(double devicePixelRatio) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int border = static_cast<int>(std::ceil(kGuessedBorder / ratio));
    return {border, static_cast<int>(std::ceil(kGuessedTitleBar / ratio)), border, border};
}

}  // namespace appgen::ui
