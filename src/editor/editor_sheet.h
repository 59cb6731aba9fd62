// The editor: the six-page property sheet over the project, modal, OK and
// Cancel only. Each page copies its block when first shown and writes it back
// on OK, in page order; Cancel leaves the project as it was.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "editor/barcode_page.h"
#include "editor/form_page.h"
#include "editor/lookup_page.h"
#include "editor/menu_page.h"
#include "editor/settings_page.h"
#include "editor/startup_page.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

struct EditorHooks {
    EditorHooks() = default;
    // The reset alone, as most callers give it.
    EditorHooks(std::function<void()> reset, std::function<void()> redraw = {})
        : resetSimulator(std::move(reset)), redrawTerminal(std::move(redraw)) {}

    // Puts the simulator back to its main screen (its key command 51); the
    // Form page calls it when it writes back.
    std::function<void()> resetSimulator;
    // Draws the terminal's screen again from the project. The reset above runs
    // before the other pages write back their texts; this runs after OK, once
    // every page has.
    std::function<void()> redrawTerminal;
};

class EditorSheet {
public:
    EditorSheet(Workspace& ws, ui::Services& ui, EditorHooks hooks);

    ui::PropertySheet& sheet() { return *sheet_; }
    FormPage& formPage() { return form_; }

private:
    FormPage form_;
    MenuPage menu_;
    LookupPage lookup_;
    BarcodePage barcode_;
    SettingsPage settings_;
    StartupPage startup_;
    std::unique_ptr<ui::PropertySheet> sheet_;
};

struct EditorOutcome {
    bool applied = false;  // closed with OK
    // With OK: the entry count of the terminal's Utilities menu, taken after
    // every page has written back, so a lookup 1 defined in the same OK counts.
    std::optional<int> utilitiesEntries;
};

// Runs the editor sheet modally over the main window.
EditorOutcome runEditor(Workspace& ws, ui::Services& ui, const EditorHooks& hooks);

}  // namespace appgen::editor
