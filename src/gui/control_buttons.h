// Push buttons, check boxes and radio buttons. A click only tells the
// dialog; the check mark shown is always the dialog's, so a plain check box
// changes only when its handler checks it.
#pragma once

#include <QAbstractButton>

#include "gui/control_view.h"

namespace appgen::gui {

class ButtonView : public ControlView {
public:
    ButtonView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent);
    QWidget* widget() override { return button_; }
    void show(const ui::ControlState& state) override;
    void readBack(ui::ControlState& state) const override;

private:
    QAbstractButton* button_;
    bool checkable_;
};

}  // namespace appgen::gui
