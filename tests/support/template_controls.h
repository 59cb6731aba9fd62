// A page's or dialog's list of the controls it handles against the template
// it runs on, both ways: every control it handles is in the template with the
// kind it takes it for, and every control of the template that has an id is
// handled by it (a dialog's OK and Cancel are answered by the dialog itself;
// a page has neither, and sets its check boxes and radio buttons itself).
#pragma once

#include <gtest/gtest.h>

#include <set>

#include "editor/page_controls.h"
#include "ui/builtin_templates.h"
#include "ui/dialog.h"

namespace appgen::test {

inline void expectHandlesExactly(const char* templateName, const editor::PageControls& controls, bool page) {
    SCOPED_TRACE(templateName);
    const ui::DialogTemplate& t = ui::dialogTemplate(templateName);
    std::set<int> handled;
    for (const editor::PageControl& c : controls) {
        EXPECT_TRUE(handled.insert(c.id).second) << c.id << " is listed twice";
        const ui::ControlTemplate* in = t.control(c.id);
        if (!in) {
            ADD_FAILURE() << "the page handles " << c.id << ", which the template lacks";
            continue;
        }
        EXPECT_EQ(c.kind, in->kind) << c.id;
        if (page) {
            EXPECT_FALSE(in->has(ui::kStyleAuto)) << c.id;
        }
    }
    for (const ui::ControlTemplate& in : t.controls) {
        const bool answered = !page && (in.id == ui::kIdOk || in.id == ui::kIdCancel);
        if (in.id != ui::kNoId && !answered) {
            EXPECT_EQ(1u, handled.count(in.id)) << "nothing handles control " << in.id;
        }
    }
}

}  // namespace appgen::test
