#include "gui/control_buttons.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "project/text.h"

namespace appgen::gui {
namespace {

QAbstractButton* makeButton(const ui::ControlTemplate& t, QWidget* parent) {
    switch (t.kind) {
        case ui::ControlKind::CheckBox:
            return new QCheckBox(parent);
        case ui::ControlKind::RadioButton: {
            auto* radio = new QRadioButton(parent);
            // The group's marks are the dialog's to set.
            radio->setAutoExclusive(false);
            return radio;
        }
        default: {
            auto* push = new QPushButton(parent);
            push->setDefault(t.has(ui::kStyleDefault));
            return push;
        }
    }
}

}  // namespace

ButtonView::ButtonView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id),
      button_(makeButton(t, parent)),
      checkable_(t.kind == ui::ControlKind::CheckBox || t.kind == ui::ControlKind::RadioButton) {
    if (checkable_) button_->setCheckable(true);
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] {
        QPointer<QAbstractButton> self(button_);
        taken(dialog_.userClick(id_));
        if (self && checkable_)
            if (const ui::ControlState* c = dialog_.control(id_)) show(*c);
    });
}

void ButtonView::readBack(ui::ControlState& state) const {
    state.text = utf8ToCp1251(button_->text().toStdString());
    if (checkable_) state.checked = button_->isChecked();
}

void ButtonView::show(const ui::ControlState& state) {
    const QString text = QString::fromStdString(cp1251ToUtf8(state.text));
    if (button_->text() != text) button_->setText(text);
    if (checkable_ && button_->isChecked() != state.checked) {
        const bool blocked = button_->blockSignals(true);
        button_->setChecked(state.checked);
        button_->blockSignals(blocked);
    }
}

}  // namespace appgen::gui
