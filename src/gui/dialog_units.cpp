#include "gui/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace appgen::gui {
namespace {

int mulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    return static_cast<int>(p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c));
}

// Sans faces close in width and height to the bitmap dialog font, which
// Linux desktops do not have.
const QStringList& substitutes() {
    static const QStringList faces{"Liberation Sans", "DejaVu Sans", "FreeSans", "Noto Sans"};
    return faces;
}

}  // namespace

QFont dialogFont(const std::string& face, int pointSize) {
    const QStringList installed = QFontDatabase::families();
    QString family = QString::fromStdString(face);
    if (!installed.contains(family)) {
        family.clear();
        for (const QString& f : substitutes())
            if (installed.contains(f)) {
                family = f;
                break;
            }
    }
    QFont font;
    if (!family.isEmpty()) font.setFamily(family);
    font.setStyleHint(QFont::SansSerif);
    // Sized in pixels at 96 dots per inch, so the layout does not depend on
    // the platform's idea of a point.
    font.setPixelSize(mulDiv(pointSize > 0 ? pointSize : 8, 96, 72));
    return font;
}

ui::DialogBaseUnits baseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    ui::DialogBaseUnits units;
    units.x = (letters / 26 + 1) / 2;
    units.y = metrics.height();
    if (units.x <= 0) units.x = 1;
    if (units.y <= 0) units.y = 1;
    return units;
}

QRect toPixels(const ui::DialogRect& rect, ui::DialogBaseUnits units) {
    const int left = mulDiv(rect.x, units.x, 4);
    const int top = mulDiv(rect.y, units.y, 8);
    const int right = mulDiv(rect.right(), units.x, 4);
    const int bottom = mulDiv(rect.bottom(), units.y, 8);
    return QRect(left, top, right - left, bottom - top);
}

QSize toPixels(int width, int height, ui::DialogBaseUnits units) {
    return QSize(mulDiv(width, units.x, 4), mulDiv(height, units.y, 8));
}

}  // namespace appgen::gui
