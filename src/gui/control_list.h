// A drop-down list that only picks from its entries. The user's choice
// reaches the dialog; the program's list and selection reach the widget
// without notifying anyone.
#pragma once

#include <QComboBox>

#include "gui/control_view.h"

namespace appgen::gui {

class ListView : public ControlView {
public:
    ListView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent);
    QWidget* widget() override { return combo_; }
    void show(const ui::ControlState& state) override;
    void readBack(ui::ControlState& state) const override;

private:
    QComboBox* combo_;
};

}  // namespace appgen::gui
