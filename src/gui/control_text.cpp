#include "gui/control_text.h"

#include <algorithm>

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "project/text.h"

namespace appgen::gui {
namespace {

QString fromBytes(const std::string& bytes) { return QString::fromStdString(cp1251ToUtf8(bytes)); }

// Used when the application has not been given an icon: a plain terminal.
QPixmap fallbackIcon(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(60, 60, 70));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(side * 0.22, 0.5, side * 0.56, side - 1.0), side * 0.08, side * 0.08);
    p.setBrush(QColor(150, 200, 150));
    p.drawRect(QRectF(side * 0.3, side * 0.1, side * 0.4, side * 0.3));
    return pixmap;
}

}  // namespace

QString labelText(const std::string& bytes) {
    std::string shown;
    shown.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '&') {
            shown += bytes[i];
        } else if (i + 1 < bytes.size() && bytes[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return fromBytes(shown);
}

LabelView::LabelView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id), label_(new QLabel(parent)) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (t.has(ui::kStyleCentre)) horizontal = Qt::AlignHCenter;
    if (t.has(ui::kStyleRight)) horizontal = Qt::AlignRight;
    label_->setAlignment(horizontal | Qt::AlignTop);
}

void LabelView::show(const ui::ControlState& state) {
    const QString text = labelText(state.text);
    if (label_->text() != text) label_->setText(text);
}

void LabelView::readBack(ui::ControlState& state) const {
    // The label shows no mnemonic marks: read back, the dialog's text stands
    // unless the label shows something else.
    if (labelText(state.text) != label_->text()) state.text = utf8ToCp1251(label_->text().toStdString());
}

GroupBoxView::GroupBoxView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id), box_(new QGroupBox(parent)) {}

void GroupBoxView::show(const ui::ControlState& state) {
    const QString text = fromBytes(state.text);
    if (box_->title() != text) box_->setTitle(text);
}

void GroupBoxView::readBack(ui::ControlState& state) const {
    state.text = utf8ToCp1251(box_->title().toStdString());
}

IconView::IconView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id), label_(new QLabel(parent)) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setScaledContents(false);
}

void IconView::show(const ui::ControlState&) {
    const int side = std::min(label_->width(), label_->height());
    if (side <= 0 || side == side_) return;
    side_ = side;
    const QIcon icon = QApplication::windowIcon();
    label_->setPixmap(icon.isNull() ? fallbackIcon(side) : icon.pixmap(side, side));
}

}  // namespace appgen::gui
