#include "gui/control_list.h"

#include <QPointer>
#include <QSignalBlocker>

#include "project/text.h"

namespace appgen::gui {

ListView::ListView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id), combo_(new QComboBox(parent)) {
    combo_->setEditable(false);
    combo_->setMaxVisibleItems(30);
    QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
        QPointer<QComboBox> self(combo_);
        taken(dialog_.userSelect(id_, index));
        if (self)
            if (const ui::ControlState* c = dialog_.control(id_)) show(*c);
    });
}

void ListView::readBack(ui::ControlState& state) const {
    state.items.clear();
    for (int i = 0; i < combo_->count(); ++i) state.items.push_back(utf8ToCp1251(combo_->itemText(i).toStdString()));
    state.selected = combo_->currentIndex();
}

void ListView::show(const ui::ControlState& state) {
    const QSignalBlocker blocker(combo_);
    bool same = combo_->count() == static_cast<int>(state.items.size());
    for (int i = 0; same && i < combo_->count(); ++i)
        same = combo_->itemText(i).toStdString() == cp1251ToUtf8(state.items[i]);
    if (!same) {
        combo_->clear();
        for (const std::string& item : state.items)
            combo_->addItem(QString::fromStdString(cp1251ToUtf8(item)));
    }
    if (combo_->currentIndex() != state.selected) combo_->setCurrentIndex(state.selected);
}

}  // namespace appgen::gui
