#include "gui/display_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

#include "project/text.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::simulator;

constexpr int kTextLeft = 39;
constexpr int kTextTop = 35;
constexpr int kPitch = 6;
constexpr int kCellHeight = 15;

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

void DisplayPainter::drawText(QPainter& p, int x, int y, std::string_view bytes, QColor ink) const {
    p.setFont(font_.font);
    p.setPen(ink);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0) break;
        if (byte == ' ') continue;
        const char32_t cp = cp1251ToUnicode(byte);
        p.drawText(QPointF(x + kPitch * int(i), y + font_.ascent), QString::fromUcs4(&cp, 1));
    }
}

void DisplayPainter::paintDisplay(QPainter& p, const Simulator& sim) const {
    const DisplayModel& d = sim.display();
    const Rect area = displayAreaRect(DisplayArea::WholeDisplay, 0, d);
    const QRect target(area.left, area.top, area.right - area.left, area.bottom - area.top);
    const QImage& terminal = art_.picture(kTerminalPicture);
    const qreal r = terminal.devicePixelRatio();
    p.drawImage(QRectF(target), terminal,
                QRectF(target.left() * r, target.top() * r, target.width() * r, target.height() * r));

    if (d.state == SimState::FormScreen)
        p.drawImage(QPoint(kTextLeft + kPitch * d.cursorCol, kTextTop + 1 + 10 * d.cursorRow),
                    art_.picture(kCursorPicture));
    if (d.alphaMode) p.drawImage(QPoint(kAlphaIndicatorAt.x, kAlphaIndicatorAt.y), art_.picture(kAlphaOnPicture));

    int y = kTextTop;
    for (int line = 1; line <= kDisplayLines; ++line) {
        const std::string& text = d.screenLines[static_cast<std::size_t>(line - 1)];
        if (line == d.highlightLine) {
            p.drawImage(QPoint(kTextLeft, y + 2), art_.picture(kHighlightBarPicture));
            drawText(p, kTextLeft, y, text, Qt::white);
        } else {
            drawText(p, kTextLeft, y, text, QColor::fromRgba(kLcdInk));
        }
        y += d.widePitch ? 15 : 10;
    }
    if (d.state == SimState::MainScreen && !sim.clockLine().empty()) paintClockLine(p, sim.clockLine());
    if (sim.multiTap().charPending) paintPendingChar(p, d, sim.multiTap().pendingChar);
}

void DisplayPainter::paintClockLine(QPainter& p, std::string_view text) const {
    // The background picture is narrower and lower than the line's twenty
    // characters: the whole cell is cleared first, so that no trace of the
    // last digit or of a descender stays from the tick before.
    const QImage& terminal = art_.picture(kTerminalPicture);
    const qreal r = terminal.devicePixelRatio();
    p.drawImage(QRectF(kClockCell), terminal,
                QRectF(kClockCell.left() * r, kClockCell.top() * r, kClockCell.width() * r, kClockCell.height() * r));
    p.drawImage(kClockCell.topLeft(), art_.picture(kClockBackgroundPicture));
    drawText(p, kClockCell.left(), kClockCell.top(), text, QColor::fromRgba(kLcdInk));
}

void DisplayPainter::paintPendingChar(QPainter& p, const DisplayModel& d, char ch) const {
    const int x = kTextLeft + kPitch * d.cursorCol;
    const int y = kTextTop + 1 + 10 * d.cursorRow;
    p.drawImage(QPoint(x, y), art_.picture(kCursorPicture));
    // Inverse video, so that the letter reads on the solid block.
    drawText(p, x, y, std::string_view(&ch, 1), QColor::fromRgba(kLcdBackground));
}

}  // namespace appgen::gui
