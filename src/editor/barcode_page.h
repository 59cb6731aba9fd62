// BARCODESETTINGDLG, the editor sheet's Barcode page. Placeholder until the page is built: it
// shows its template and keeps nothing.
#pragma once

#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class BarcodePage : public ui::PageHandler {
public:
    BarcodePage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

private:
    [[maybe_unused]] Workspace& ws_;
    [[maybe_unused]] ui::Services& ui_;
};

}  // namespace appgen::editor
