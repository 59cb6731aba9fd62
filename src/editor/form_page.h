// FORMDLG, the first page of the editor sheet: ten forms, each with its font,
// targets, lookup search, record action and eight lines.
#pragma once

#include <functional>

#include "editor/form_state.h"
#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class FormPage : public ui::PageHandler {
public:
    // The controls of its template this page handles.
    static const PageControls& controls();

    // resetSimulator puts the simulator back to its main screen (its key command 51).
    FormPage(Workspace& ws, ui::Services& ui, std::function<void()> resetSimulator);

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // Writes the forms back, marks the project modified, normalises the forms
    // and resets the simulator; the first page to write back.
    void apply(ui::Dialog& d) override;

    const FormPageState& state() const { return state_; }
    int promptLimit() const { return promptLimit_; }

private:
    void fill(ui::Dialog& d);
    void lineRule(ui::Dialog& d, int line);
    void fontRule(ui::Dialog& d);
    void promptChanged(ui::Dialog& d, int line);
    void lengthChanged(ui::Dialog& d, int id, u8& field, int line);
    void typeChosen(ui::Dialog& d, int line);

    Workspace& ws_;
    ui::Services& ui_;
    std::function<void()> resetSimulator_;
    FormPageState state_;
    int promptLimit_ = 20;
};

}  // namespace appgen::editor
