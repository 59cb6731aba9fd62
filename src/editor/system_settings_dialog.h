// SystemSettingsDlg, "Начальные установки": the terminal's ports, speed,
// backlight, data deletion and entry message. Every change goes into the
// Settings page's copy at once; "Сброс" puts back what the copy held when the
// dialog opened.
#pragma once

#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::editor {

class SystemSettingsDialog : public ui::DialogHandler {
public:
    explicit SystemSettingsDialog(TerminalSettings& pageSettings) : s_(pageSettings) {}

    // The controls of its template it fills and answers, OK and Cancel aside.
    static const PageControls& controls();

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void cancel(ui::Dialog& d) override;

private:
    void enableEntryMessage(ui::Dialog& d);
    // A number up to `limit` is stored; larger ones are ignored; text that is
    // not a number stores 1 and, when the box is not empty, shows "1".
    static void storeBounded(ui::Dialog& d, int id, u8& field, unsigned limit);

    TerminalSettings& s_;
    TerminalSettings kept_{};
};

// Runs the dialog modally over the page; 1 after OK, 0 after "Сброс".
int openSystemSettings(TerminalSettings& pageSettings, ui::Services& ui);

}  // namespace appgen::editor
