// The field properties of one line of a form: AdvanceDlg for lines of types
// 1 to 6 and 8, LookupAdvanceDlg for a lookup line. Both edit the Form page's
// working copy in place and restore the form from its backup when cancelled.
#pragma once

#include "editor/form_state.h"
#include "editor/grid_dialog.h"
#include "editor/page_controls.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::editor {

// The prefix and suffix boxes both dialogs have: working copies that the
// character table edits through the boxes, stored into the line on OK.
class AffixBoxes {
public:
    void show(ui::Services& ui, ui::Dialog& d, const FormDef& f, int line);
    void store(FormDef& f, int line) const;

private:
    char prefix_[kPickerCapacity]{};
    char suffix_[kPickerCapacity]{};
};

class AdvanceDialog : public ui::DialogHandler {
public:
    AdvanceDialog(FormPageState& state, ui::Services& ui) : state_(state), ui_(ui) {}

    // The controls of AdvanceDlg and of LookupAdvanceDlg it fills and answers,
    // OK and Cancel aside.
    static const PageControls& formControls();
    static const PageControls& lookupControls();

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void ok(ui::Dialog& d) override;
    void cancel(ui::Dialog& d) override;

private:
    FormDef& form() { return state_.form(); }
    int line() const { return state_.selectedLine; }

    FormPageState& state_;
    ui::Services& ui_;
    AffixBoxes affixes_;
};

class LookupAdvanceDialog : public ui::DialogHandler {
public:
    LookupAdvanceDialog(FormPageState& state, ui::Services& ui) : state_(state), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void ok(ui::Dialog& d) override;
    void cancel(ui::Dialog& d) override;

private:
    FormDef& form() { return state_.form(); }
    int line() const { return state_.selectedLine; }
    void enableSaveOptions(ui::Dialog& d, bool on);

    FormPageState& state_;
    ui::Services& ui_;
    AffixBoxes affixes_;
};

// Runs the dialog that fits the selected line's type, modally; 1 after OK, 0 after Cancel.
int openFieldProperties(FormPageState& state, ui::Services& ui);

}  // namespace appgen::editor
