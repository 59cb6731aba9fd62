#include "gui/display_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

#include "project/text.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::simulator;

constexpr int kPitch = kCharPitch;
constexpr int kCellHeight = kGlyphCellHeight;

// The screens were laid out for Courier New: faces with its metrics come
// first, so that descenders on an eight-line screen stay in their 10-pixel
// row; other monospaced faces after them.
QString familyWithCyrillic() {
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"Courier New Cyr", "Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono",
                             "FreeMono", "Noto Sans Mono"}) {
        const QString family = QString::fromLatin1(name);
        if (installed.contains(family) &&
            QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic))
            return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

}  // namespace

DisplayFont makeDisplayFont() {
    DisplayFont out;
    QFont f(familyWithCyrillic());
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setWeight(QFont::Normal);
    f.setKerning(false);
    // The largest size whose cell is no taller than 15 pixels.
    int size = kCellHeight;
    for (; size > 6; --size) {
        f.setPixelSize(size);
        if (QFontMetricsF(f).height() <= kCellHeight + 0.5) break;
    }
    // Narrowed to the display's 6-pixel characters.
    const qreal advance = QFontMetricsF(f).horizontalAdvance(QLatin1Char('0'));
    if (advance > kPitch) f.setStretch(std::clamp(int(std::lround(100.0 * kPitch / advance)), 50, 100));
    out.font = f;
    out.ascent = int(std::lround(QFontMetricsF(f).ascent()));
    return out;
}

void DisplayPainter::play(QPainter& p, const DisplayStrokes& strokes) const {
    const QImage& terminal = art_.picture(kTerminalPicture);
    const qreal r = terminal.devicePixelRatio();
    for (const DisplayStroke& s : strokes) {
        switch (s.kind) {
            case DisplayStroke::Kind::Backdrop: {
                const QRect area(s.area.left, s.area.top, s.area.right - s.area.left, s.area.bottom - s.area.top);
                p.drawImage(QRectF(area), terminal,
                            QRectF(area.left() * r, area.top() * r, area.width() * r, area.height() * r));
                break;
            }
            case DisplayStroke::Kind::Picture: p.drawImage(QPoint(s.at.x, s.at.y), art_.picture(s.picture)); break;
            case DisplayStroke::Kind::Glyph: {
                p.setFont(font_.font);
                p.setPen(QColor::fromRgba(s.ink));
                const char32_t cp = cp1251ToUnicode(static_cast<unsigned char>(s.byte));
                p.drawText(QPointF(s.at.x, s.at.y + font_.ascent), QString::fromUcs4(&cp, 1));
                break;
            }
        }
    }
}

void DisplayPainter::paintDisplay(QPainter& p, const Simulator& sim) const { play(p, displayStrokes(sim)); }

void DisplayPainter::paintClockLine(QPainter& p, std::string_view text) const { play(p, clockLineStrokes(text)); }

void DisplayPainter::paintPendingChar(QPainter& p, const DisplayModel& d, char ch) const {
    play(p, pendingCharStrokes(d, ch));
}

}  // namespace appgen::gui
