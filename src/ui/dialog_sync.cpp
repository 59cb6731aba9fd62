#include "ui/dialog_sync.h"

#include <string>

namespace appgen::ui {

DialogSync::DialogSync(Dialog& dialog, ControlShower& shower) : dialog_(dialog), shower_(shower) {
    dialog_.onChanged = [this](int id) { changed(id); };
}

DialogSync::~DialogSync() {
    if (click_) click_->gone = true;
    dialog_.onChanged = nullptr;
}

void DialogSync::refresh() {
    for (std::size_t i = 0; i < dialog_.controls().size(); ++i) show(i);
    showFocus();
}

void DialogSync::changed(int id) {
    if (id == kNoId && dialog_.ended()) {
        if (!endTold_) {
            endTold_ = true;
            shower_.dialogEnded();
        }
        return;
    }
    const std::vector<ControlState>& controls = dialog_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (id != kNoId && controls[i].id == id) {
            show(i);
            break;
        }
    showFocus();
}

void DialogSync::show(std::size_t index) {
    const ControlState& state = dialog_.controls()[index];
    if (click_ && state.id == click_->id && state.fill) click_->paintedOver = true;
    shower_.showControl(index, state);
}

void DialogSync::showFocus() {
    // Only a move of the dialog's focus is shown, so a change to a control
    // the user has since left does not pull the keyboard back to it.
    const int focus = dialog_.focus();
    if (focus == shownFocus_) return;
    shownFocus_ = focus;
    if (focus != kNoId) shower_.focusControl(focus);
}

bool DialogSync::clickEdit(int id) {
    Click click{id};
    const std::string before = dialog_.text(id);
    Click* outer = click_;
    click_ = &click;
    // The dialog may run a nested modal window from here, which may end with
    // this window gone.
    dialog_.userClick(id);
    if (click.gone) {
        if (outer) outer->gone = true;
        return true;
    }
    click_ = outer;
    return click.paintedOver || before != dialog_.text(id);
}

}  // namespace appgen::ui
