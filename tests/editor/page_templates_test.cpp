// Each editor page and dialog against the template it runs on.
#include <gtest/gtest.h>

#include "editor/barcode_page.h"
#include "editor/field_properties.h"
#include "editor/form_page.h"
#include "editor/grid_dialog.h"
#include "editor/lookup_page.h"
#include "editor/menu_page.h"
#include "editor/settings_page.h"
#include "editor/stamp_dialog.h"
#include "editor/startup_page.h"
#include "editor/system_settings_dialog.h"
#include "editor/wedge_dialog.h"
#include "support/template_controls.h"

namespace appgen::editor {
namespace {

TEST(PageTemplates, EachPageAndDialogHandlesExactlyTheControlsOfItsTemplate) {
    struct Row {
        const char* name;
        const PageControls& controls;
        bool page = true;
    };
    const Row rows[] = {
        {"FORMDLG", FormPage::controls()},
        {"MENUDLG", MenuPage::controls()},
        {"LOOKUPDLG", LookupPage::controls()},
        {"BARCODESETTINGDLG", BarcodePage::controls()},
        {"SETTINGSDLG", SettingsPage::controls()},
        {"STARTUPDLG", StartupPage::controls()},
        {"AdvanceDlg", AdvanceDialog::formControls(), false},
        {"LookupAdvanceDlg", AdvanceDialog::lookupControls(), false},
        {"DateTimeStampDlg", StampDialog::controls(), false},
        {"GridDlg", GridDialog::controls(), false},
        {"SystemSettingsDlg", SystemSettingsDialog::controls(), false},
        {"KeyboardWedgeDlg", KeyboardWedgeDialog::controls(), false},
    };
    for (const Row& r : rows) test::expectHandlesExactly(r.name, r.controls, r.page);
}

}  // namespace
}  // namespace appgen::editor
