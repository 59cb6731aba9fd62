// Each editor page and dialog against the template it runs on: every control
// it handles is in the template with the kind it takes it for, and every
// control of the template that has an id is handled by it (a dialog's OK and
// Cancel are answered by the dialog itself).
#include <gtest/gtest.h>

#include <set>

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
#include "ui/builtin_templates.h"
#include "ui/dialog.h"

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
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const ui::DialogTemplate& t = ui::dialogTemplate(r.name);
        std::set<int> handled;
        for (const PageControl& c : r.controls) {
            EXPECT_TRUE(handled.insert(c.id).second) << c.id << " is listed twice";
            const ui::ControlTemplate* in = t.control(c.id);
            if (!in) {
                ADD_FAILURE() << "the page handles " << c.id << ", which the template lacks";
                continue;
            }
            EXPECT_EQ(c.kind, in->kind) << c.id;
            // The pages set their check boxes and radio buttons themselves.
            if (r.page) {
                EXPECT_FALSE(in->has(ui::kStyleAuto)) << c.id;
            }
        }
        for (const ui::ControlTemplate& in : t.controls) {
            const bool answered = !r.page && (in.id == ui::kIdOk || in.id == ui::kIdCancel);
            if (in.id != ui::kNoId && !answered) {
                EXPECT_EQ(1u, handled.count(in.id)) << "nothing handles control " << in.id;
            }
        }
    }
}

}  // namespace
}  // namespace appgen::editor
