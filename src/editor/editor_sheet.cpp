#include "editor/editor_sheet.h"

#include "editor/editor_lists.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {

EditorSheet::EditorSheet(Workspace& ws, ui::Services& ui, EditorHooks hooks)
    : form_(ws, ui, std::move(hooks.resetSimulator)) {
    using ui::dialogTemplate;
    std::vector<ui::SheetPage> pages{
        {&dialogTemplate("FORMDLG"), &form_},
        {&dialogTemplate("MENUDLG"), &later_[0]},
        {&dialogTemplate("LOOKUPDLG"), &later_[1]},
        {&dialogTemplate("BARCODESETTINGDLG"), &later_[2]},
        {&dialogTemplate("SETTINGSDLG"), &later_[3]},
        {&dialogTemplate("STARTUPDLG"), &later_[4]},
    };
    sheet_ = std::make_unique<ui::PropertySheet>(cp("Application Generator"), std::move(pages));
}

EditorOutcome runEditor(Workspace& ws, ui::Services& ui, const EditorHooks& hooks) {
    // The page state holds two copies of every form: kept off the stack.
    auto editor = std::make_unique<EditorSheet>(ws, ui, hooks);
    EditorOutcome outcome;
    outcome.applied = ui.runSheet(editor->sheet()) == 1;
    if (outcome.applied) outcome.utilitiesEntries = utilitiesEntryCount(ws.project);
    return outcome;
}

}  // namespace appgen::editor
