#include "simulator/terminal_layout.h"

namespace appgen::simulator {
namespace {

// Windows-1251 bytes at a cell origin, one character every 6 pixels; spaces
// leave the background, a NUL ends the text.
void addText(DisplayStrokes& out, Point at, std::string_view bytes, std::uint32_t ink) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') break;
        if (bytes[i] == ' ') continue;
        DisplayStroke s;
        s.kind = DisplayStroke::Kind::Glyph;
        s.at = {at.x + kCharPitch * static_cast<int>(i), at.y};
        s.byte = bytes[i];
        s.ink = ink;
        out.push_back(s);
    }
}

void addPicture(DisplayStrokes& out, int picture, Point at) {
    DisplayStroke s;
    s.kind = DisplayStroke::Kind::Picture;
    s.picture = picture;
    s.at = at;
    out.push_back(s);
}

void addBackdrop(DisplayStrokes& out, Rect area) {
    DisplayStroke s;
    s.area = area;
    out.push_back(s);
}

Point cursorCell(const DisplayModel& d) {
    return {kDisplayTextAt.x + kCharPitch * d.cursorCol, kDisplayTextAt.y + 1 + kLinePitch * d.cursorRow};
}

void appendClockLine(DisplayStrokes& out, std::string_view text) {
    // The background picture is narrower and lower than the line's twenty
    // characters: the whole cell is cleared first, so that no trace of the
    // last digit or of a descender stays from the tick before.
    addBackdrop(out, kClockCell);
    addPicture(out, kClockBackgroundPicture, {kClockCell.left, kClockCell.top});
    addText(out, {kClockCell.left, kClockCell.top}, text, kLcdInk);
}

void appendPendingChar(DisplayStrokes& out, const DisplayModel& d, char ch) {
    const Point cell = cursorCell(d);
    addPicture(out, kCursorPicture, cell);
    addText(out, cell, std::string_view(&ch, 1), kLcdBackground);
}

}  // namespace

Size pictureSize(int id) {
    if (id == kTerminalPicture) return {kTerminalWidth, kTerminalHeight};
    if (id >= pressedKeyPicture(1) && id <= pressedKeyPicture(kKeyCount)) return pictureSize(id - 23);
    if (id >= normalKeyPicture(1) && id <= normalKeyPicture(15)) return {41, 23};
    switch (id) {
        case 516:
        case 517: return {28, 37};
        case 518:
        case 520:
        case 521:
        case 523: return {34, 32};
        case 519:
        case 522: return {33, 24};
        case kCursorPicture: return {6, 10};
        case kHighlightBarPicture: return {116, 10};
        case kClockBackgroundPicture: return {116, 12};
        case kAlphaOnPicture:
        case kAlphaOffPicture: return {7, 8};
        default: return {};
    }
}

DisplayStrokes displayStrokes(const Simulator& sim) {
    const DisplayModel& d = sim.display();
    DisplayStrokes out;
    addBackdrop(out, displayAreaRect(DisplayArea::WholeDisplay, 0, d));
    if (d.state == SimState::FormScreen) addPicture(out, kCursorPicture, cursorCell(d));
    if (d.alphaMode) addPicture(out, kAlphaOnPicture, kAlphaIndicatorAt);
    int y = kDisplayTextAt.y;
    for (int line = 1; line <= kDisplayLines; ++line) {
        const std::string& text = d.screenLines[static_cast<std::size_t>(line - 1)];
        if (line == d.highlightLine) {
            addPicture(out, kHighlightBarPicture, {kDisplayTextAt.x, y + 2});
            addText(out, {kDisplayTextAt.x, y}, text, kLcdInverseInk);
        } else {
            addText(out, {kDisplayTextAt.x, y}, text, kLcdInk);
        }
        y += d.widePitch ? kWideLinePitch : kLinePitch;
    }
    if (d.state == SimState::MainScreen && !sim.clockLine().empty()) appendClockLine(out, sim.clockLine());
    if (sim.multiTap().charPending) appendPendingChar(out, d, sim.multiTap().pendingChar);
    return out;
}

DisplayStrokes clockLineStrokes(std::string_view text) {
    DisplayStrokes out;
    appendClockLine(out, text);
    return out;
}

DisplayStrokes pendingCharStrokes(const DisplayModel& d, char ch) {
    DisplayStrokes out;
    appendPendingChar(out, d, ch);
    return out;
}

}  // namespace appgen::simulator
