// BARCODESETTINGDLG, the editor sheet's Barcode page: the symbologies the
// reader decodes, its scan mode, read redundancy and time-out. Its pending
// choices live only in its controls and reach the project on the sheet's OK;
// its symbology dialogs and "Сброс" write into the project at once.
#pragma once

#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class BarcodePage : public ui::PageHandler {
public:
    // The controls of its template this page handles.
    static const PageControls& controls();

    BarcodePage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // Every bit the page shows goes to its place; the others are kept.
    void apply(ui::Dialog& d) override;

private:
    void load(ui::Dialog& d);

    Workspace& ws_;
    ui::Services& ui_;
};

}  // namespace appgen::editor
