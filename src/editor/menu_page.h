// MENUDLG, the second page of the editor sheet: ten menus of ten items, what a
// menu saves with the collected data, and whether each form's data goes into a
// file of its own.
#pragma once

#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class MenuPage : public ui::PageHandler {
public:
    // The controls of its template this page handles.
    static const PageControls& controls();

    MenuPage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // Writes back the ten menus and the separate-files option, nothing else of
    // the terminal settings: the Settings page writes back after this one.
    void apply(ui::Dialog& d) override;

    const MenuDef& working(int menu) const { return work_[menu]; }
    int currentMenu() const { return current_; }
    int itemLimit() const { return itemLimit_; }
    bool separateFiles() const { return separateFiles_ != 0; }

private:
    MenuDef& menu() { return work_[current_]; }
    void fill(ui::Dialog& d);
    void sendOnRule(ui::Dialog& d);
    void titleChanged(ui::Dialog& d);
    void itemChanged(ui::Dialog& d, int item);

    Workspace& ws_;
    [[maybe_unused]] ui::Services& ui_;
    MenuDef work_[kMenuCount]{};
    u8 separateFiles_ = 0;
    int current_ = 0;
    int itemLimit_ = 20;
};

}  // namespace appgen::editor
