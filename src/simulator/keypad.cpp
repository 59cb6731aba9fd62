#include "simulator/keypad.h"

namespace appgen::simulator {
namespace {

bool within(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

// The first rule whose band holds the point decides, even when it finds no key.
KeyHit keyAt(int x, int y) {
    if (within(y, 197, 234)) {
        if (within(x, 43, 71)) return {kKeyEnter, {43, 197}};
        if (within(x, 130, 156)) return {kKeyRightEnter, {129, 197}};
        return {};
    }
    if (within(x, 84, 115) && within(y, 242, 288)) {
        if (y <= 265) return {kKeyUp, {83, 241}};
        return {kKeyDown, {83, 265}};
    }
    if (within(y, 240, 270)) {
        if (within(x, 49, 80)) return {kKeyLeft, {47, 239}};
        if (within(x, 119, 152)) return {kKeyRight, {118, 239}};
        return {};
    }
    if (within(y, 268, 291)) {
        if (within(x, 48, 77)) return {kKeyEsc, {47, 263}};
        if (within(x, 112, 151)) return {kKeyBackspace, {118, 263}};
        return {};
    }
    if (within(y, 404, 425)) {
        if (within(x, 49, 78)) return {kKeyAlpha, {38, 403}};
        if (within(x, 89, 110)) return {kKeyPower, {78, 403}};
        if (within(x, 121, 150)) return {kKeyFn, {121, 403}};
        return {};
    }
    struct Band {
        int top, bottom, originY;
    };
    static constexpr Band kRows[4] = {{296, 317, 295}, {324, 344, 322}, {351, 371, 349}, {378, 398, 376}};
    for (int row = 0; row < 4; ++row) {
        if (!within(y, kRows[row].top, kRows[row].bottom)) continue;
        const int originY = kRows[row].originY;
        if (within(x, 45, 78)) return {3 * row + 1, {38, originY}};
        if (within(x, 80, 119)) return {3 * row + 2, {79, originY}};
        if (within(x, 121, 154)) return {3 * row + 3, {121, originY}};
        return {};
    }
    return {};
}

std::array<PicturePlacement, 1 + kKeyCount> fullRepaintPictures() {
    std::array<PicturePlacement, 1 + kKeyCount> out{};
    out[0] = {kTerminalPicture, {0, 0}};
    for (int k = 1; k <= 15; ++k)
        out[static_cast<std::size_t>(k)] = {normalKeyPicture(k), {38 + 41 * ((k - 1) % 3), 295 + 27 * ((k - 1) / 3)}};
    static constexpr Point kOrigins[8] = {{43, 197}, {129, 197}, {47, 239}, {83, 241},
                                          {118, 239}, {47, 263}, {83, 265}, {118, 263}};
    for (int k = 16; k <= kKeyCount; ++k)
        out[static_cast<std::size_t>(k)] = {normalKeyPicture(k), kOrigins[k - 16]};
    return out;
}

Rect displayAreaRect(DisplayArea area, int line, const DisplayModel& display) {
    switch (area) {
        case DisplayArea::WholeDisplay: return {38, 35, 167, 120};
        case DisplayArea::MainMenuLines: return {38, 35, 167, 86};
        case DisplayArea::Line: return {38, 35 + 10 * line, 167, 50 + 10 * line};
        case DisplayArea::ClockLine: return {39, 105, 39 + 116, 105 + 12};  // picture 549
        case DisplayArea::PendingChar: {
            // The cursor block's cell, as tall as the display font's glyph.
            const int x = 39 + 6 * display.cursorCol;
            const int y = 36 + 10 * display.cursorRow;
            return {x, y, x + 6, y + 15};
        }
    }
    return {};
}

}  // namespace appgen::simulator
