// A picture as a list of vector drawing steps that each front end plays back
// in order on a surface of its own (a QPainter, GDI+), so that the pictures
// look the same everywhere and their design lives in one place. Coordinates
// are logical pixels from the picture's top-left corner; a front end scales
// them to the screen's density.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace appgen::ui {

// 16 bits a channel: shaded colours keep the precision they were mixed at.
struct Colour {
    std::uint16_t r = 0;
    std::uint16_t g = 0;
    std::uint16_t b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};
constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {static_cast<std::uint16_t>(r * 257), static_cast<std::uint16_t>(g * 257),
            static_cast<std::uint16_t>(b * 257)};
}
constexpr Colour argb(std::uint32_t v) {
    return rgb(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v));
}

struct PointF {
    double x = 0;
    double y = 0;
};
struct RectF {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Outlines: none, or a solid line of a width with its caps and joins.
struct SetPen {
    enum class Cap { Square, Round };
    enum class Join { Bevel, Round };
    bool none = false;
    Colour colour{};
    double width = 1;
    Cap cap = Cap::Square;
    Join join = Join::Bevel;
};
inline SetPen noPen() { return {true}; }
inline SetPen pen(Colour c, double width = 1, SetPen::Cap cap = SetPen::Cap::Square,
                  SetPen::Join join = SetPen::Join::Bevel) {
    return {false, c, width, cap, join};
}

// Fills: none, one colour, or a gradient from `colour` at y = `fromY` to `to`
// at y = `toY`, padded beyond.
struct SetBrush {
    enum class Kind { None, Solid, VerticalGradient } kind = Kind::None;
    Colour colour{};
    Colour to{};
    double fromY = 0;
    double toY = 0;
};
inline SetBrush noBrush() { return {}; }
inline SetBrush solid(Colour c) { return {SetBrush::Kind::Solid, c, {}, 0, 0}; }
inline SetBrush verticalGradient(Colour from, double fromY, Colour to, double toY) {
    return {SetBrush::Kind::VerticalGradient, from, to, fromY, toY};
}

struct SetAntialias {
    bool on = true;
};
struct SetFont {
    std::string family;
    int pixelSize = 10;
    bool bold = false;
    double letterSpacing = 0;  // extra pixels after each character
};

// Shapes, outlined with the pen and filled with the brush.
struct RoundedRect {
    RectF rect;
    double radius = 0;
};
struct Rectangle {
    RectF rect;
};
struct Polygon {
    std::vector<PointF> points;  // closed, odd-even filled
};
struct Polyline {
    std::vector<PointF> points;  // open, outlined only
};
struct Arc {
    RectF ellipse;
    int startSixteenths = 0;  // of a degree, counter-clockwise from three o'clock
    int spanSixteenths = 0;
};
struct Line {
    PointF from;
    PointF to;
};
// A rectangle of whole pixels in one colour, pen and brush aside.
struct FillRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Colour colour{};
};
// Text centred in the box, in the pen's colour and the current font.
struct CentredText {
    RectF box;
    std::string utf8;
};
// Another picture of the same set, its top-left corner at a whole pixel.
struct PlacePicture {
    int picture = 0;
    int x = 0;
    int y = 0;
};

using DrawStep = std::variant<SetPen, SetBrush, SetAntialias, SetFont, RoundedRect, Rectangle, Polygon, Polyline, Arc,
                              Line, FillRect, CentredText, PlacePicture>;

// A picture: its size, the colour it starts filled with, and the steps that
// draw it. Each playback starts with no pen colour set beyond black, no
// brush, no antialiasing.
struct Drawing {
    int width = 0;
    int height = 0;
    Colour background{};
    std::vector<DrawStep> steps;
    bool empty() const { return width == 0 || height == 0; }
};

}  // namespace appgen::ui
