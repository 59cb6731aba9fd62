#include "gui/progress_windows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace appgen::gui {
namespace {

// 104 by 40 dialog units in the window's font: a unit is a quarter of the
// average letter width across, an eighth of the line height down.
QSize progressClientSize(const QFont& font) {
    const QFontMetrics m(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int average = (m.horizontalAdvance(letters) / 26 + 1) / 2;
    return {(104 * average + 2) / 4, (40 * m.height() + 4) / 8};
}

}  // namespace

ProgressWindow::ProgressWindow(const QString& caption, const QString& text)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(0, 8, 1, 1);
    label->setObjectName(QStringLiteral("text"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("Downloading"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    setFixedSize(progressClientSize(font()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void ProgressWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The bar: 14 pixels in from each side, from half the height down, 20 high.
    bar_->setGeometry(14, height() / 2, width() - 28, 20);
    if (auto* label = findChild<QLabel*>(QStringLiteral("text"))) label->setGeometry(0, 6, width(), height() / 2 - 6);
}

void ProgressWindow::setPercent(int value) { bar_->setValue(std::clamp(value, 0, 100)); }

CountBox::CountBox(const QString& format)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), format_(format) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    const QFontMetrics m(font());
    QString widest = format_;
    widest.replace(QStringLiteral("%d"), QStringLiteral("0   "));
    const QSize size(m.horizontalAdvance(widest) + 20, 40);
    setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QPoint centre = screen->geometry().center();
        move(centre.x() - size.width() / 2, centre.y() - 20);
    }
}

QString CountBox::text() const {
    QString t = format_;
    return t.replace(QStringLiteral("%d"), QString::number(count_));
}

void CountBox::setCount(int n) {
    count_ = n;
    update();
}

void CountBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(QColor(255, 255, 100));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace appgen::gui
