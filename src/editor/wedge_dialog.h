// KeyboardWedgeDlg, "Разрыв клавиатуры Установки": the keyboard-wedge options
// of the Settings page. Its OK stores the page's copy into the project at once
// and marks the project modified, so the unsaved-changes question covers it.
#pragma once

#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::editor {

class KeyboardWedgeDialog : public ui::DialogHandler {
public:
    KeyboardWedgeDialog(WedgeSettings& pageWedge, Workspace& ws) : wedge_(pageWedge), ws_(ws) {}

    // The controls of its template it fills and answers, OK and Cancel aside.
    static const PageControls& controls();

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void ok(ui::Dialog& d) override;

private:
    WedgeSettings& wedge_;
    Workspace& ws_;
};

// Runs the dialog modally over the page; 1 after OK, 0 otherwise.
int openKeyboardWedge(WedgeSettings& pageWedge, Workspace& ws, ui::Services& ui);

}  // namespace appgen::editor
