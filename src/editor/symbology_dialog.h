// One symbology dialog of the Barcode page, run from its layout: it loads its
// controls from the project's BarcodeSettings and, on OK, writes them straight
// into the project (and marks it modified), not waiting for the sheet's OK.
// "Сброс" (button 2) closes it storing nothing.
#pragma once

#include <optional>

#include "editor/length_limits.h"
#include "editor/symbology_layouts.h"
#include "project/project.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::editor {

class SymbologyDialog : public ui::DialogHandler {
public:
    SymbologyDialog(Workspace& ws, const SymbologyLayout& layout);

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void ok(ui::Dialog& d) override;

private:
    Workspace& ws_;
    const SymbologyLayout& layout_;
    std::optional<LengthBoxes> lengths_;
};

// Runs the dialog modally; 1 after OK, 0 after "Сброс".
int runSymbologyDialog(Workspace& ws, ui::Services& ui, const SymbologyLayout& layout);

}  // namespace appgen::editor
