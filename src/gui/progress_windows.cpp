#include "gui/progress_windows.h"

#include <QApplication>
#include <algorithm>
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

constexpr int kButtonRow = 34;  // the Cancel button's row under the window's own content

}  // namespace

CancelButton::CancelButton(QWidget* parent) : QPushButton(QStringLiteral("Отмена"), parent) {
    setObjectName(QStringLiteral("cancel"));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { press(); });
}

void CancelButton::press() {
    if (!isEnabled()) return;
    setEnabled(false);
    if (onCancel) onCancel();
}

ProgressWindow::ProgressWindow(const QString& caption, const QString& text, const QString& device)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    auto* label = new QLabel(device.isEmpty() ? text : text + QLatin1Char('\n') + device, this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(0, 8, 1, 1);
    label->setObjectName(QStringLiteral("text"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("Downloading"));
    bar_->setRange(0, device.isEmpty() ? 100 : 0);  // no range: busy, no end known
    bar_->setValue(0);
    bar_->setTextVisible(false);
    cancel_ = new CancelButton(this);
    QSize area = progressClientSize(font());
    if (!device.isEmpty()) {
        // Room for the device line, as wide as it needs.
        const QFontMetrics m(font());
        area.rwidth() = std::max(area.width(), m.horizontalAdvance(device) + 28);
        area.rheight() += m.height();
    }
    areaHeight_ = area.height();
    setFixedSize(area.width(), area.height() + kButtonRow);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void ProgressWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The bar: 14 pixels in from each side, from half the content down, 20 high.
    const int barTop = bar_->maximum() == 0 ? areaHeight_ - 28 : areaHeight_ / 2;
    bar_->setGeometry(14, barTop, width() - 28, 20);
    if (auto* label = findChild<QLabel*>(QStringLiteral("text"))) label->setGeometry(0, 6, width(), barTop - 6);
    const QSize b = cancel_->sizeHint();
    cancel_->setGeometry((width() - b.width()) / 2, areaHeight_ + (kButtonRow - b.height()) / 2, b.width(),
                         b.height());
}

void ProgressWindow::setPercent(int value) { bar_->setValue(std::clamp(value, 0, 100)); }

CountBox::CountBox(const QString& format)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), format_(format) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    const QFontMetrics m(font());
    QString widest = format_;
    widest.replace(QStringLiteral("%d"), QStringLiteral("0   "));
    cancel_ = new CancelButton(this);
    const QSize b = cancel_->sizeHint();
    // The box as it always was, the button hanging under it.
    const QSize size(std::max(m.horizontalAdvance(widest) + 20, b.width() + 8), kBoxHeight);
    setFixedSize(size.width(), size.height() + b.height() + 4);
    cancel_->setGeometry((size.width() - b.width()) / 2, size.height() + 2, b.width(), b.height());
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
    const QRect box = boxRect();
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace appgen::gui
