// DateTimeStampDlg: a form's date and time stamp, edited in the Form page's
// working copy, with the resulting patterns shown live as the two group captions.
#pragma once

#include <string>

#include "editor/form_state.h"
#include "editor/page_controls.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::editor {

// "Формат Даты : ГГГГ/ММ/ДД" and "Формат Времени: ЧЧ:ММ:СС" for the reset values;
// Windows-1251, since the separators are the form's own bytes.
std::string datePattern(const FormDef& f);
std::string timePattern(const FormDef& f);

class StampDialog : public ui::DialogHandler {
public:
    explicit StampDialog(FormPageState& state) : state_(state) {}

    // The controls of its template it fills and answers, OK and Cancel aside.
    static const PageControls& controls();

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void cancel(ui::Dialog& d) override;

private:
    void separatorChanged(ui::Dialog& d, int id, char (&field)[2]);

    FormPageState& state_;
};

// Runs the dialog for the current form, modally; 1 after OK, 0 after "Сброс".
int openStampDialog(FormPageState& state, ui::Services& ui);

}  // namespace appgen::editor
