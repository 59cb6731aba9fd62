#include "shell/terminal_picture.h"

#include <string_view>

#include "simulator/key_codes.h"
#include "simulator/keypad.h"
#include "simulator/terminal_layout.h"

namespace appgen::shell {
namespace {

using namespace appgen::simulator;
using namespace appgen::ui;

// The case behind the keys is one flat colour, so a key picture (opaque, with
// that colour around its cap) can be drawn over its neighbours' margins.
constexpr Colour kCase = rgb(0x34, 0x37, 0x3C);
constexpr Colour kCaseLight = rgb(0x4A, 0x4E, 0x55);
constexpr Colour kBezel = rgb(0x1C, 0x1E, 0x21);
constexpr Colour kInk = rgb(0x1E, 0x1F, 0x22);
constexpr char kFace[] = "DejaVu Sans";

// A cap colour and its shades: raised top and bottom (12 % lighter, 18 %
// darker), pressed top and bottom (35 % and 60 % darker) and the edge (90 %
// darker), darkened in value at 16 bits a channel.
struct CapColours {
    Colour raisedTop, raisedBottom, pressedTop, pressedBottom, edge;
};
constexpr CapColours kGrey{{61597, 62173, 63036}, {46608, 47044, 47697}, {40739, 41120, 41691},
                           {34373, 34694, 35176}, {28946, 29216, 29622}};  // D6D8DB
constexpr CapColours kDark{{40298, 41449, 43176}, {30491, 31362, 32669}, {26651, 27413, 28555},
                           {22487, 23129, 24093}, {18936, 19477, 20289}};  // 8C9096
constexpr CapColours kGreen{{36556, 50659, 35116}, {27661, 38332, 26571}, {24178, 33505, 23225},
                            {20400, 28270, 19596}, {17179, 23806, 16502}};  // 7FB07A
constexpr CapColours kRed{{59870, 30513, 27057}, {45301, 23088, 20473}, {39597, 20181, 17895},
                          {33410, 17028, 15099}, {28134, 14339, 12714}};  // D06A5E
constexpr CapColours kBlue{{38570, 47780, 59582}, {29184, 36153, 45083}, {25509, 31601, 39406},
                           {21524, 26663, 33249}, {18125, 22453, 27999}};  // 86A6CF

enum class Glyph { Text, Power, Enter, Left, Right, Up, Down };

struct KeyLook {
    const char* label;
    const char* letters;  // the alpha column, printed small
    Glyph glyph;
    const CapColours& cap;
};

KeyLook lookOf(int code) {
    static const char* kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "-", "0", "."};
    static const char* kLetters[] = {"",    "ABC", "DEF", "GHI", "JKL", "MNO",
                                     "PQRS", "TUV", "WXYZ", "+$", "/*",  "%#"};
    if (isCharacterKey(code)) return {kDigits[code - 1], kLetters[code - 1], Glyph::Text, kGrey};
    switch (code) {
        case kKeyAlpha: return {"A", "", Glyph::Text, kBlue};
        case kKeyPower: return {"", "", Glyph::Power, kRed};
        case kKeyFn: return {"F", "", Glyph::Text, kBlue};
        case kKeyEnter:
        case kKeyRightEnter: return {"", "", Glyph::Enter, kGreen};
        case kKeyLeft: return {"", "", Glyph::Left, kDark};
        case kKeyRight: return {"", "", Glyph::Right, kDark};
        case kKeyUp: return {"", "", Glyph::Up, kDark};
        case kKeyDown: return {"", "", Glyph::Down, kDark};
        case kKeyEsc: return {"ESC", "", Glyph::Text, kRed};
        case kKeyBackspace: return {"BS", "", Glyph::Text, kDark};
        default: return {"", "", Glyph::Text, kGrey};
    }
}

// Where the cap sits inside the key's picture. The left/right keys share
// rows with ESC and backspace below them, so their caps stay clear of the
// rows where the pictures overlap.
RectF capRect(int code, Size size) {
    const double w = size.width;
    const double h = size.height;
    switch (code) {
        case kKeyLeft:
        case kKeyRight: return {2, 1, w - 4, 22};
        case kKeyEsc:
        case kKeyBackspace: return {2, 8, w - 4, 22};
        case kKeyEnter:
        case kKeyRightEnter: return {2, 2, w - 4, h - 4};
        default: return {3, 2, w - 6, h - 4};
    }
}

Drawing blank(int id, Colour fill) {
    const Size s = pictureSize(id);
    return {s.width, s.height, fill, {}};
}

PointF at(PointF c, double dx, double dy) { return {c.x + dx, c.y + dy}; }

void addGlyph(std::vector<DrawStep>& d, Glyph glyph, const RectF& r) {
    const PointF c{r.x + r.width / 2, r.y + r.height / 2};
    d.push_back(noPen());
    d.push_back(solid(kInk));
    auto triangle = [&](PointF a, PointF b, PointF e) { d.push_back(Polygon{{a, b, e}}); };
    switch (glyph) {
        case Glyph::Left: triangle(at(c, -5, 0), at(c, 3, -5), at(c, 3, 5)); break;
        case Glyph::Right: triangle(at(c, 5, 0), at(c, -3, -5), at(c, -3, 5)); break;
        case Glyph::Up: triangle(at(c, 0, -5), at(c, -6, 3), at(c, 6, 3)); break;
        case Glyph::Down: triangle(at(c, 0, 5), at(c, -6, -3), at(c, 6, -3)); break;
        case Glyph::Enter:
            d.push_back(pen(kInk, 2, SetPen::Cap::Round, SetPen::Join::Round));
            d.push_back(noBrush());
            d.push_back(Polyline{{at(c, 5, -8), at(c, 5, 3), at(c, -3, 3)}});
            d.push_back(noPen());
            d.push_back(solid(kInk));
            triangle(at(c, -7, 3), at(c, -2, -1), at(c, -2, 7));
            break;
        case Glyph::Power:
            d.push_back(pen(kInk, 1.6, SetPen::Cap::Round));
            d.push_back(noBrush());
            d.push_back(Arc{{c.x - 5, c.y - 5, 10, 10}, 120 * 16, 300 * 16});
            d.push_back(Line{at(c, 0, -6), at(c, 0, -1)});
            break;
        case Glyph::Text: break;
    }
}

// One key cap; pressed caps are darker, sunk by a pixel and lose their highlight.
Drawing keyPicture(int code, bool pressed) {
    Drawing out = blank(normalKeyPicture(code), kCase);
    std::vector<DrawStep>& d = out.steps;
    d.push_back(SetAntialias{true});
    const KeyLook look = lookOf(code);
    RectF cap = capRect(code, pictureSize(normalKeyPicture(code)));
    if (pressed) cap = {cap.x + 0.5, cap.y + 1, cap.width, cap.height};
    const Colour top = pressed ? look.cap.pressedTop : look.cap.raisedTop;
    const Colour bottom = pressed ? look.cap.pressedBottom : look.cap.raisedBottom;
    if (!pressed) {  // the shadow under a raised cap
        d.push_back(noPen());
        d.push_back(solid(rgb(0x1A, 0x1B, 0x1E)));
        d.push_back(RoundedRect{{cap.x, cap.y + 1.2, cap.width, cap.height}, 4});
    }
    d.push_back(pen(look.cap.edge, 0.8));
    d.push_back(verticalGradient(top, cap.y, bottom, cap.y + cap.height));
    d.push_back(RoundedRect{cap, 4});

    if (look.glyph != Glyph::Text) {
        addGlyph(d, look.glyph, cap);
        return out;
    }
    d.push_back(SetFont{kFace, std::string_view(look.label).size() > 1 ? 8 : 11, true, 0});
    d.push_back(pen(kInk));
    const bool hasLetters = *look.letters != '\0';
    RectF labelBox = cap;
    if (hasLetters) labelBox.width = 15;  // the left part, up to cap.x + 15
    d.push_back(CentredText{labelBox, look.label});
    if (hasLetters) {
        d.push_back(SetFont{kFace, std::string_view(look.letters).size() > 3 ? 6 : 7, false, 0});
        d.push_back(pen(rgb(0x2F, 0x4A, 0x7A)));
        d.push_back(CentredText{{cap.x + 13, cap.y, cap.width - 13, cap.height}, look.letters});
    }
    return out;
}

Drawing casePicture() {
    Drawing out = blank(kTerminalPicture, kCase);
    std::vector<DrawStep>& d = out.steps;
    d.push_back(SetAntialias{true});
    // Rim and a lighter upper shell.
    d.push_back(pen(rgb(0x16, 0x17, 0x19), 2));
    d.push_back(noBrush());
    d.push_back(RoundedRect{{1, 1, 198, 457}, 14});
    d.push_back(noPen());
    d.push_back(verticalGradient(kCaseLight, 0, kCase, 190));
    d.push_back(RoundedRect{{3, 3, 194, 186}, 12});
    // The scanner's window at the top edge.
    d.push_back(solid(rgb(0x8A, 0x1F, 0x1F)));
    d.push_back(RoundedRect{{66, 5, 68, 7}, 3});
    // The display's bezel and glass.
    d.push_back(solid(kBezel));
    d.push_back(RoundedRect{{24, 20, 152, 116}, 8});
    d.push_back(SetAntialias{false});
    d.push_back(FillRect{36, 33, 133, 90, rgb(0x5F, 0x68, 0x55)});
    d.push_back(FillRect{38, 35, 129, 85, argb(kLcdBackground)});
    d.push_back(SetAntialias{true});
    d.push_back(SetFont{kFace, 9, true, 1.5});
    d.push_back(pen(rgb(0xB8, 0xBC, 0xC2)));
    d.push_back(CentredText{{24, 138, 152, 14}, "DTR4610"});
    // The scan trigger between the two Enter keys.
    d.push_back(verticalGradient(rgb(0xF2, 0xC6, 0x4B), 200, rgb(0xC9, 0x93, 0x1E), 232));
    d.push_back(pen(rgb(0x6B, 0x4E, 0x0E), 1));
    d.push_back(RoundedRect{{78, 201, 44, 28}, 12});
    // Grip ribs below the keypad.
    d.push_back(pen(rgb(0x26, 0x28, 0x2C), 2));
    for (int y = 436; y <= 448; y += 4) d.push_back(Line{{70, double(y)}, {130, double(y)}});
    // The keys, where a full repaint puts them.
    d.push_back(SetAntialias{false});
    for (const PicturePlacement& place : fullRepaintPictures()) {
        if (place.picture == kTerminalPicture) continue;
        d.push_back(PlacePicture{place.picture, place.at.x, place.at.y});
    }
    return out;
}

// The framed letter A of the alpha mode, seven by eight pixels.
Drawing alphaOnPicture() {
    Drawing out = blank(kAlphaOnPicture, argb(kLcdBackground));
    std::vector<DrawStep>& d = out.steps;
    d.push_back(pen(argb(kLcdInk), 1));
    d.push_back(Rectangle{{0.5, 0.5, 6, 7}});
    d.push_back(SetAntialias{true});
    d.push_back(pen(argb(kLcdInk), 0.9));
    d.push_back(Polyline{{{1.8, 6.6}, {3.5, 1.6}, {5.2, 6.6}}});
    d.push_back(Line{{2.5, 4.8}, {4.5, 4.8}});
    return out;
}

}  // namespace

Drawing terminalPicture(int id) {
    if (id == kTerminalPicture) return casePicture();
    if (id >= normalKeyPicture(1) && id <= normalKeyPicture(kKeyCount)) return keyPicture(id - normalKeyPicture(0), false);
    if (id >= pressedKeyPicture(1) && id <= pressedKeyPicture(kKeyCount)) return keyPicture(id - pressedKeyPicture(0), true);
    switch (id) {
        case kCursorPicture: return blank(id, argb(kLcdInk));
        case kHighlightBarPicture: return blank(id, argb(kLcdBar));
        case kClockBackgroundPicture:
        case kAlphaOffPicture: return blank(id, argb(kLcdBackground));
        case kAlphaOnPicture: return alphaOnPicture();
        default: return {};
    }
}

}  // namespace appgen::shell
