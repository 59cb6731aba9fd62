#include "ui/property_sheet.h"

namespace appgen::ui {

PropertySheet::PropertySheet(std::string caption, std::vector<SheetPage> pages, int startPage,
                             DialogBaseUnits units)
    : caption_(std::move(caption)), pages_(std::move(pages)), units_(units), start_(startPage) {
    dialogs_.resize(pages_.size());
    if (start_ < 0 || start_ >= pageCount()) start_ = 0;
}

const std::string& PropertySheet::name() const {
    static const std::string none;
    return pages_.empty() ? none : pages_.front().layout->name;
}

int PropertySheet::findPage(std::string_view templateName) const {
    for (int i = 0; i < pageCount(); ++i)
        if (pages_[i].layout->name == templateName) return i;
    return -1;
}

void PropertySheet::start() {
    if (started_ || pages_.empty()) return;
    started_ = true;
    showPage(start_);
}

UserResult PropertySheet::showPage(int index) {
    if (ended_) return UserResult::Closed;
    if (index < 0 || index >= pageCount()) return UserResult::OutOfRange;
    current_ = index;
    if (!dialogs_[index]) {
        dialogs_[index] = std::make_unique<Dialog>(*pages_[index].layout, *pages_[index].handler,
                                                   Dialog::Role::Page, units_);
        dialogs_[index]->start();
    }
    changed();
    return UserResult::Done;
}

UserResult PropertySheet::ok() {
    if (ended_) return UserResult::Closed;
    for (int i = 0; i < pageCount(); ++i)
        if (dialogs_[i]) pages_[i].handler->apply(*dialogs_[i]);
    ended_ = true;
    result_ = 1;
    changed();
    return UserResult::Done;
}

UserResult PropertySheet::cancel() {
    if (ended_) return UserResult::Closed;
    for (int i = 0; i < pageCount(); ++i)
        if (dialogs_[i]) pages_[i].handler->reset(*dialogs_[i]);
    ended_ = true;
    result_ = 0;
    changed();
    return UserResult::Done;
}

void PropertySheet::destroy() {
    if (ended_) return;
    ended_ = true;
    result_ = 0;
    changed();
}

}  // namespace appgen::ui
