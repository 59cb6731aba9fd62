// Every dialog template renders inside its dialog with no control over
// another, a group box excepted for what it holds; a screenshot of each.
#include <gtest/gtest.h>

#include <sstream>

#include "dialog_test_support.h"
#include "gui/dialog_units.h"
#include "ui/builtin_templates.h"

namespace appgen::gui {
namespace {

std::string describeControl(const ui::ControlTemplate& t) {
    std::ostringstream out;
    out << ui::kindName(t.kind) << ' ' << t.id << " \"" << t.text << "\" at " << t.rect.x << ','
        << t.rect.y;
    return out.str();
}

// The faults of one template's layout, one a line.
std::string layoutFaults(const ui::DialogTemplate& layout) {
    ui::DialogHandler handler;
    ui::Dialog dialog(layout, handler);
    DialogWindow window(dialog, nullptr);
    window.begin();
    window.show();
    DialogPanel& panel = window.panel();
    std::ostringstream faults;
    const auto& controls = layout.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect a = panel.widgetAt(i)->geometry();
        if (!panel.rect().contains(a))
            faults << describeControl(controls[i]) << " lies outside the dialog\n";
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QRect b = panel.widgetAt(j)->geometry();
            if (!a.intersects(b)) continue;
            const bool aHolds = controls[i].kind == ui::ControlKind::GroupBox && a.contains(b);
            const bool bHolds = controls[j].kind == ui::ControlKind::GroupBox && b.contains(a);
            if (!aHolds && !bHolds)
                faults << describeControl(controls[i]) << " overlaps " << describeControl(controls[j])
                       << '\n';
        }
    }
    faults << test::textFaults(panel);
    test::saveScreenshot(window, layout.name);
    return faults.str();
}

TEST(DialogTemplates, EveryTemplateRendersWithoutOverlapsOrControlsOutsideAndItsTextsFit) {
    const auto& all = ui::builtinTemplates().all();
    ASSERT_FALSE(all.empty());
    for (const ui::DialogTemplate& layout : all) {
        SCOPED_TRACE(layout.name);
        EXPECT_EQ(layoutFaults(layout), "");
    }
}

TEST(DialogUnits, EdgesMapOnTheirOwnSoNeighboursMeet) {
    const ui::DialogBaseUnits units{7, 15};
    struct Case {
        ui::DialogRect rect;
        QRect pixels;
    };
    for (const Case& c : {Case{{0, 0, 4, 8}, QRect(0, 0, 7, 15)},
                          Case{{1, 1, 1, 1}, QRect(2, 2, 2, 2)},  // 1.75 and 1.875 round up
                          Case{{10, 10, 323, 170}, QRect(18, 19, 565, 319)}}) {
        EXPECT_EQ(toPixels(c.rect, units), c.pixels);
    }
    // Two controls side by side in dialog units touch in pixels, never overlap.
    for (int x = 0; x < 40; ++x) {
        const QRect left = toPixels({x, 0, 3, 8}, units);
        const QRect right = toPixels({x + 3, 0, 5, 8}, units);
        EXPECT_EQ(left.right() + 1, right.left()) << x;
    }
}

TEST(DialogUnits, BaseUnitsComeFromTheFontAndScaleWithIt) {
    const ui::DialogBaseUnits small = baseUnits(dialogFont("MS Sans Serif", 8));
    const ui::DialogBaseUnits large = baseUnits(dialogFont("MS Sans Serif", 16));
    EXPECT_GT(small.x, 2);
    EXPECT_GT(small.y, small.x);
    EXPECT_GT(large.x, small.x);
    EXPECT_GT(large.y, small.y);
}

}  // namespace
}  // namespace appgen::gui
