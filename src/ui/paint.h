// What a custom control paints, as a list the front end draws in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace appgen::ui {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kLightGrey{192, 192, 192};
inline constexpr Rgb kGrey{128, 128, 128};

// Pixel coordinates in the control's client area.
struct PaintOp {
    enum class Kind {
        Fill,  // rectangle x, y, width, height
        Line,  // from (x, y) to (x2, y2), the end point not drawn
        Text,  // text in the box x, y, width, height, transparent background
    } kind = Kind::Fill;
    Rgb colour;
    int x = 0;
    int y = 0;
    int x2 = 0;  // Line: end; Fill and Text: width
    int y2 = 0;  // Line: end; Fill and Text: height
    std::string text;  // Windows-1251
    enum class Align { TopCentre, MiddleLeft } align = Align::TopCentre;
    int indent = 0;  // MiddleLeft: pixels from the left edge

    static PaintOp fill(Rgb c, int x, int y, int w, int h) {
        return {Kind::Fill, c, x, y, w, h, {}, Align::TopCentre, 0};
    }
    static PaintOp line(Rgb c, int x1, int y1, int x2, int y2) {
        return {Kind::Line, c, x1, y1, x2, y2, {}, Align::TopCentre, 0};
    }
    static PaintOp label(Rgb c, int x, int y, int w, int h, std::string t,
                         Align a = Align::TopCentre, int indent = 0) {
        return {Kind::Text, c, x, y, w, h, std::move(t), a, indent};
    }
};

using PaintList = std::vector<PaintOp>;

}  // namespace appgen::ui
