#include "gui/terminal_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "simulator/key_codes.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::simulator;

// The case behind the keys is one flat colour, so a key picture (opaque, with
// that colour around its cap) can be drawn over its neighbours' margins.
const QColor kCase(0x34, 0x37, 0x3C);
const QColor kCaseLight(0x4A, 0x4E, 0x55);
const QColor kBezel(0x1C, 0x1E, 0x21);

enum class Glyph { Text, Power, Enter, Left, Right, Up, Down };

struct KeyLook {
    const char* label;
    const char* letters;  // the alpha column, printed small
    Glyph glyph;
    QColor cap;
};

KeyLook lookOf(int code) {
    const QColor grey(0xD6, 0xD8, 0xDB), dark(0x8C, 0x90, 0x96), green(0x7F, 0xB0, 0x7A),
        red(0xD0, 0x6A, 0x5E), blue(0x86, 0xA6, 0xCF);
    static const char* kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "-", "0", "."};
    static const char* kLetters[] = {"",    "ABC", "DEF", "GHI", "JKL", "MNO",
                                     "PQRS", "TUV", "WXYZ", "+$", "/*",  "%#"};
    if (isCharacterKey(code)) return {kDigits[code - 1], kLetters[code - 1], Glyph::Text, grey};
    switch (code) {
        case kKeyAlpha: return {"A", "", Glyph::Text, blue};
        case kKeyPower: return {"", "", Glyph::Power, red};
        case kKeyFn: return {"F", "", Glyph::Text, blue};
        case kKeyEnter:
        case kKeyRightEnter: return {"", "", Glyph::Enter, green};
        case kKeyLeft: return {"", "", Glyph::Left, dark};
        case kKeyRight: return {"", "", Glyph::Right, dark};
        case kKeyUp: return {"", "", Glyph::Up, dark};
        case kKeyDown: return {"", "", Glyph::Down, dark};
        case kKeyEsc: return {"ESC", "", Glyph::Text, red};
        case kKeyBackspace: return {"BS", "", Glyph::Text, dark};
        default: return {"", "", Glyph::Text, grey};
    }
}

// Where the cap sits inside the key's picture. The left/right keys share
// rows with ESC and backspace below them, so their caps stay clear of the
// rows where the pictures overlap.
QRectF capRect(int code, QSize size) {
    switch (code) {
        case kKeyLeft:
        case kKeyRight: return QRectF(2, 1, size.width() - 4, 22);
        case kKeyEsc:
        case kKeyBackspace: return QRectF(2, 8, size.width() - 4, 22);
        case kKeyEnter:
        case kKeyRightEnter: return QRectF(2, 2, size.width() - 4, size.height() - 4);
        default: return QRectF(3, 2, size.width() - 6, size.height() - 4);
    }
}

QImage blank(QSize size, qreal ratio, QColor fill) {
    QImage img(QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(fill);
    return img;
}

void drawGlyph(QPainter& p, Glyph glyph, const QRectF& r, QColor ink) {
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto triangle = [&](QPointF a, QPointF b, QPointF d) { p.drawPolygon(QPolygonF({a, b, d})); };
    switch (glyph) {
        case Glyph::Left: triangle(c + QPointF(-5, 0), c + QPointF(3, -5), c + QPointF(3, 5)); break;
        case Glyph::Right: triangle(c + QPointF(5, 0), c + QPointF(-3, -5), c + QPointF(-3, 5)); break;
        case Glyph::Up: triangle(c + QPointF(0, -5), c + QPointF(-6, 3), c + QPointF(6, 3)); break;
        case Glyph::Down: triangle(c + QPointF(0, 5), c + QPointF(-6, -3), c + QPointF(6, -3)); break;
        case Glyph::Enter: {
            p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({c + QPointF(5, -8), c + QPointF(5, 3), c + QPointF(-3, 3)}));
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            triangle(c + QPointF(-7, 3), c + QPointF(-2, -1), c + QPointF(-2, 7));
            break;
        }
        case Glyph::Power: {
            p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            const QRectF ring(c.x() - 5, c.y() - 5, 10, 10);
            p.drawArc(ring, 120 * 16, 300 * 16);
            p.drawLine(c + QPointF(0, -6), c + QPointF(0, -1));
            break;
        }
        case Glyph::Text: break;
    }
}

// One key cap; pressed caps are darker, sunk by a pixel and lose their highlight.
QImage drawKey(int code, bool pressed, qreal ratio) {
    const QSize size = TerminalArt::pictureSize(normalKeyPicture(code));
    QImage img = blank(size, ratio, kCase);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const KeyLook look = lookOf(code);
    QRectF cap = capRect(code, size);
    if (pressed) cap.translate(0.5, 1);
    QColor top = pressed ? look.cap.darker(135) : look.cap.lighter(112);
    QColor bottom = pressed ? look.cap.darker(160) : look.cap.darker(118);
    QLinearGradient g(cap.topLeft(), cap.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    if (!pressed) {  // the shadow under a raised cap
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1A, 0x1B, 0x1E));
        p.drawRoundedRect(cap.translated(0, 1.2), 4, 4);
    }
    p.setPen(QPen(look.cap.darker(190), 0.8));
    p.setBrush(g);
    p.drawRoundedRect(cap, 4, 4);

    const QColor ink(0x1E, 0x1F, 0x22);
    if (look.glyph != Glyph::Text) {
        drawGlyph(p, look.glyph, cap, ink);
        return img;
    }
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setBold(true);
    big.setPixelSize(std::string_view(look.label).size() > 1 ? 8 : 11);
    p.setFont(big);
    p.setPen(ink);
    const bool hasLetters = *look.letters != '\0';
    QRectF labelRect = cap;
    if (hasLetters) labelRect.setRight(cap.left() + 15);
    p.drawText(labelRect, Qt::AlignCenter, QString::fromLatin1(look.label));
    if (hasLetters) {
        QFont small(QStringLiteral("DejaVu Sans"));
        small.setPixelSize(std::string_view(look.letters).size() > 3 ? 6 : 7);
        p.setFont(small);
        p.setPen(QColor(0x2F, 0x4A, 0x7A));
        QRectF lettersRect = cap;
        lettersRect.setLeft(cap.left() + 13);
        p.drawText(lettersRect, Qt::AlignCenter, QString::fromLatin1(look.letters));
    }
    return img;
}

QImage drawCase(const std::map<int, QImage>& keys, qreal ratio) {
    QImage img = blank(QSize(200, 459), ratio, kCase);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Rim and a lighter upper shell.
    p.setPen(QPen(QColor(0x16, 0x17, 0x19), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1, 1, 198, 457), 14, 14);
    QLinearGradient shell(0, 0, 0, 190);
    shell.setColorAt(0, kCaseLight);
    shell.setColorAt(1, kCase);
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawRoundedRect(QRectF(3, 3, 194, 186), 12, 12);
    // The scanner's window at the top edge.
    p.setBrush(QColor(0x8A, 0x1F, 0x1F));
    p.drawRoundedRect(QRectF(66, 5, 68, 7), 3, 3);
    // The display's bezel and glass.
    p.setBrush(kBezel);
    p.drawRoundedRect(QRectF(24, 20, 152, 116), 8, 8);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(36, 33, 133, 90), QColor(0x5F, 0x68, 0x55));
    p.fillRect(QRect(38, 35, 129, 85), QColor::fromRgba(kLcdBackground));
    p.setRenderHint(QPainter::Antialiasing);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setBold(true);
    label.setPixelSize(9);
    label.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(label);
    p.setPen(QColor(0xB8, 0xBC, 0xC2));
    p.drawText(QRectF(24, 138, 152, 14), Qt::AlignCenter, QStringLiteral("DTR4610"));
    // The scan trigger between the two Enter keys.
    QLinearGradient trigger(0, 200, 0, 232);
    trigger.setColorAt(0, QColor(0xF2, 0xC6, 0x4B));
    trigger.setColorAt(1, QColor(0xC9, 0x93, 0x1E));
    p.setBrush(trigger);
    p.setPen(QPen(QColor(0x6B, 0x4E, 0x0E), 1));
    p.drawRoundedRect(QRectF(78, 201, 44, 28), 12, 12);
    // Grip ribs below the keypad.
    p.setPen(QPen(QColor(0x26, 0x28, 0x2C), 2));
    for (int y = 436; y <= 448; y += 4) p.drawLine(70, y, 130, y);
    // The keys, where a full repaint puts them.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const PicturePlacement& place : fullRepaintPictures()) {
        if (place.picture == kTerminalPicture) continue;
        p.drawImage(QPoint(place.at.x, place.at.y), keys.at(place.picture));
    }
    return img;
}

// The framed letter A of the alpha mode, seven by eight pixels.
QImage drawAlphaOn(qreal ratio) {
    QImage img = blank(QSize(7, 8), ratio, QColor::fromRgba(kLcdBackground));
    QPainter p(&img);
    const QColor ink = QColor::fromRgba(kLcdInk);
    p.setPen(QPen(ink, 1));
    p.drawRect(QRectF(0.5, 0.5, 6, 7));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 0.9));
    p.drawPolyline(QPolygonF({QPointF(1.8, 6.6), QPointF(3.5, 1.6), QPointF(5.2, 6.6)}));
    p.drawLine(QPointF(2.5, 4.8), QPointF(4.5, 4.8));
    return img;
}

}  // namespace

QSize TerminalArt::pictureSize(int id) {
    if (id == kTerminalPicture) return {200, 459};
    if (id >= 524 && id <= 546) return pictureSize(id - 23);
    if (id >= 501 && id <= 515) return {41, 23};
    switch (id) {
        case 516:
        case 517: return {28, 37};
        case 518:
        case 520:
        case 521:
        case 523: return {34, 32};
        case 519:
        case 522: return {33, 24};
        case 547: return {6, 10};
        case 548: return {116, 10};
        case 549: return {116, 12};
        case 550:
        case 551: return {7, 8};
        default: return {};
    }
}

TerminalArt::TerminalArt(qreal devicePixelRatio) : ratio_(devicePixelRatio > 0 ? devicePixelRatio : 1) {
    for (int code = 1; code <= kKeyCount; ++code) {
        pictures_[normalKeyPicture(code)] = drawKey(code, false, ratio_);
        pictures_[pressedKeyPicture(code)] = drawKey(code, true, ratio_);
    }
    pictures_[kTerminalPicture] = drawCase(pictures_, ratio_);
    pictures_[kCursorPicture] = blank(pictureSize(kCursorPicture), ratio_, QColor::fromRgba(kLcdInk));
    pictures_[kHighlightBarPicture] = blank(pictureSize(kHighlightBarPicture), ratio_, QColor::fromRgba(kLcdBar));
    pictures_[kClockBackgroundPicture] = blank(pictureSize(kClockBackgroundPicture), ratio_, QColor::fromRgba(kLcdBackground));
    pictures_[kAlphaOnPicture] = drawAlphaOn(ratio_);
    pictures_[kAlphaOffPicture] = blank(pictureSize(kAlphaOffPicture), ratio_, QColor::fromRgba(kLcdBackground));
}

const QImage& TerminalArt::picture(int id) const {
    const auto it = pictures_.find(id);
    return it == pictures_.end() ? none_ : it->second;
}

}  // namespace appgen::gui
