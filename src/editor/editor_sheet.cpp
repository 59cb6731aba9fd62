#include "editor/editor_sheet.h"

#include "editor/editor_lists.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {

EditorSheet::EditorSheet(Workspace& ws, ui::Services& ui, EditorHooks hooks)
    : form_(ws, ui, std::move(hooks.resetSimulator)),
      menu_(ws, ui),
      lookup_(ws, ui),
      barcode_(ws, ui),
      settings_(ws, ui),
      startup_(ws, ui) {
    using ui::dialogTemplate;
    std::vector<ui::SheetPage> pages{
        {&dialogTemplate("FORMDLG"), &form_},
        {&dialogTemplate("MENUDLG"), &menu_},
        {&dialogTemplate("LOOKUPDLG"), &lookup_},
        {&dialogTemplate("BARCODESETTINGDLG"), &barcode_},
        {&dialogTemplate("SETTINGSDLG"), &settings_},
        {&dialogTemplate("STARTUPDLG"), &startup_},
    };
    sheet_ = std::make_unique<ui::PropertySheet>(cp("Application Generator"), std::move(pages));
}

EditorOutcome runEditor(Workspace& ws, ui::Services& ui, const EditorHooks& hooks) {
    // The page state holds two copies of every form: kept off the stack.
    auto editor = std::make_unique<EditorSheet>(ws, ui, hooks);
    EditorOutcome outcome;
    outcome.applied = ui.runSheet(editor->sheet()) == 1;
    if (outcome.applied) {
        outcome.utilitiesEntries = utilitiesEntryCount(ws.project);
        if (hooks.redrawTerminal) hooks.redrawTerminal();
    }
    return outcome;
}

}  // namespace appgen::editor
