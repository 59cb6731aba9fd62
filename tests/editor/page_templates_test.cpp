// Each editor page against the template it runs on: every control the page
// handles is in the template with the kind the page takes it for, and every
// control of the template that has an id is handled by the page.
#include <gtest/gtest.h>

#include <set>

#include "editor/barcode_page.h"
#include "editor/form_page.h"
#include "editor/lookup_page.h"
#include "editor/menu_page.h"
#include "editor/settings_page.h"
#include "editor/startup_page.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

TEST(PageTemplates, EachPageHandlesExactlyTheControlsOfItsTemplate) {
    struct Row {
        const char* name;
        const PageControls& controls;
    };
    const Row rows[] = {
        {"FORMDLG", FormPage::controls()},
        {"MENUDLG", MenuPage::controls()},
        {"LOOKUPDLG", LookupPage::controls()},
        {"BARCODESETTINGDLG", BarcodePage::controls()},
        {"SETTINGSDLG", SettingsPage::controls()},
        {"STARTUPDLG", StartupPage::controls()},
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
            EXPECT_FALSE(in->has(ui::kStyleAuto)) << c.id;
        }
        for (const ui::ControlTemplate& in : t.controls) {
            if (in.id != ui::kNoId) {
                EXPECT_EQ(1u, handled.count(in.id)) << "no page handles control " << in.id;
            }
        }
    }
}

}  // namespace
}  // namespace appgen::editor
