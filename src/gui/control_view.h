// One control of a hosted dialog: the Qt widget that shows it, and what it
// does when the dialog layer announces a change. User actions on the widget
// go to the dialog's user side (userType, userClick, userSelect, ...).
#pragma once

#include <QWidget>

#include <optional>

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

    // Reads the widget back into `state` (which starts as the dialog's):
    // what it shows of text, check mark and list. Kinds a widget cannot tell
    // apart keep the dialog's.
    virtual void readBack(ui::ControlState&) const {}

    // Where the dialog's answer to the user's last action on the widget goes.
    void setInputLog(std::optional<ui::UserResult>* log) { log_ = log; }

    int id() const { return id_; }

protected:
    void taken(ui::UserResult r) {
        if (log_) *log_ = r;
    }

    ui::Dialog& dialog_;
    const int id_;
    std::optional<ui::UserResult>* log_ = nullptr;
};

}  // namespace appgen::gui
