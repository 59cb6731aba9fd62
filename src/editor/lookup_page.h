// LOOKUPDLG, the editor sheet's Lookup page. Placeholder until the page is built: it
// shows its template and keeps nothing.
#pragma once

#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class LookupPage : public ui::PageHandler {
public:
    LookupPage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

private:
    [[maybe_unused]] Workspace& ws_;
    [[maybe_unused]] ui::Services& ui_;
};

}  // namespace appgen::editor
