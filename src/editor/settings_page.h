// SETTINGSDLG, "Установки": the terminal's access password and the functions
// it protects, the FN+0 .. FN+9 keys, and the two dialogs for the system
// settings and the keyboard wedge.
#pragma once

#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class SettingsPage : public ui::PageHandler {
public:
    // The controls of its template this page handles.
    static const PageControls& controls();

    SettingsPage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // Writes back only the fields this page edits: the start option and the
    // separators (Startup page) and `separateFiles` (Menu page) stay as their
    // own pages left them.
    void apply(ui::Dialog& d) override;

    const TerminalSettings& pageSettings() const { return settings_; }
    const WedgeSettings& pageWedge() const { return wedge_; }
    int currentFnKey() const { return currentFnKey_; }

private:
    void show(ui::Dialog& d);
    void passwordChanged(ui::Dialog& d);
    void setAllProtected(ui::Dialog& d, bool on);
    void pageDefaults();

    Workspace& ws_;
    ui::Services& ui_;
    TerminalSettings settings_{};
    WedgeSettings wedge_{};
    int currentFnKey_ = 0;
};

// Copies the fields the Settings page edits from one block to another.
void copySettingsPageFields(const TerminalSettings& from, TerminalSettings& to);

}  // namespace appgen::editor
