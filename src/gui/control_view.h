// One control of a hosted dialog: the Qt widget that shows it, and what it
// does when the dialog layer announces a change. User actions on the widget
// go to the dialog's user side (userType, userClick, userSelect, ...).
#pragma once

#include <QWidget>

#include "ui/dialog.h"

namespace appgen::gui {

class ControlView {
public:
    ControlView(ui::Dialog& dialog, int id) : dialog_(dialog), id_(id) {}
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    virtual QWidget* widget() = 0;
    // Shows the kind's own part of the state: text, check mark, list. The
    // panel sees to enabled, visible, fill and focus.
    virtual void show(const ui::ControlState& state) = 0;

    int id() const { return id_; }

protected:
    ui::Dialog& dialog_;
    const int id_;
};

}  // namespace appgen::gui
