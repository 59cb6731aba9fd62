// Keeps a front end's controls in step with a dialog: each change the dialog
// announces is shown on the control it concerns (the first with that id, as
// the dialog's own calls reach), the keyboard focus follows only a move of
// the dialog's focus, the end is told once, and a click on an edit box goes
// to the dialog first, whose hook may take it.
#pragma once

#include <cstddef>

#include "ui/dialog.h"

namespace appgen::ui {

// What a front end does to show a dialog's controls.
class ControlShower {
public:
    virtual ~ControlShower() = default;
    // The control at that index of the template, as the state says.
    virtual void showControl(std::size_t index, const ControlState& state) = 0;
    // The keyboard focus to the control with that id.
    virtual void focusControl(int id) = 0;
    // The dialog has ended; told once.
    virtual void dialogEnded() = 0;
};

class DialogSync {
public:
    // Listens to the dialog's announcements until destroyed.
    DialogSync(Dialog& dialog, ControlShower& shower);
    ~DialogSync();
    DialogSync(const DialogSync&) = delete;
    DialogSync& operator=(const DialogSync&) = delete;

    // Shows the whole state, as after the handler's init.
    void refresh();

    // A left click on the edit box `id`, for the dialog first. True when the
    // box must not take it itself: a hook painted the box over or changed
    // its text (the prefix and suffix boxes open the character table), or the
    // window went away meanwhile.
    bool clickEdit(int id);

private:
    struct Click {
        int id = kNoId;
        bool paintedOver = false;
        bool gone = false;
    };
    void changed(int id);
    void show(std::size_t index);
    void showFocus();

    Dialog& dialog_;
    ControlShower& shower_;
    int shownFocus_ = kNoId;
    bool endTold_ = false;
    Click* click_ = nullptr;  // the edit click under way
};

}  // namespace appgen::ui
