#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_sync.h"
#include "ui/template_parser.h"

namespace appgen::ui {
namespace {

DialogTemplate twoBoxes() {
    const auto parse = parseTemplates(
        "T DIALOG 100, 40\n"
        "BEGIN\n"
        "  EDITTEXT 501, 5, 5, 40, 12\n"
        "  EDITTEXT 502, 50, 5, 40, 12\n"
        "  LTEXT \"label\", -1, 5, 20, 40, 8\n"
        "  DEFPUSHBUTTON \"OK\", 1, 50, 20, 40, 14\n"
        "END\n");
    EXPECT_TRUE(parse.ok()) << parse.error;
    return parse.templates.at(0);
}

class Hooks : public DialogHandler {};

class Shown : public ControlShower {
public:
    void showControl(std::size_t index, const ControlState&) override { shown.push_back(index); }
    void focusControl(int id) override { focused.push_back(id); }
    void dialogEnded() override { ++ends; }
    std::vector<std::size_t> shown;
    std::vector<int> focused;
    int ends = 0;
};

class Sync : public ::testing::Test {
protected:
    DialogTemplate layout = twoBoxes();
    Hooks hooks;
    Dialog dialog{layout, hooks};
    Shown view;
    std::unique_ptr<DialogSync> sync = std::make_unique<DialogSync>(dialog, view);
};

// A change reaches its control; the focus is shown when it moves, not on
// every change; the end once.
TEST_F(Sync, ChangesGoToTheirControlAndTheFocusOnlyWhenItMoves) {
    dialog.start();
    sync->refresh();
    EXPECT_EQ(view.shown, (std::vector<std::size_t>{0, 1, 2, 3}));
    view.shown.clear();
    view.focused.clear();
    dialog.setFocus(502);
    dialog.setText(502, "x");
    dialog.setText(501, "y");
    EXPECT_EQ(view.shown, (std::vector<std::size_t>{1, 1, 0}));  // focus, text, text
    EXPECT_EQ(view.focused, (std::vector<int>{502}));
    dialog.end(1);
    dialog.end(1);
    EXPECT_EQ(view.ends, 1);
    sync.reset();
    EXPECT_FALSE(dialog.onChanged) << "a window gone stops listening";
}

// The prefix and suffix boxes open a table on a click: a hook that painted
// the box over or changed its text took the click; otherwise the box has it.
TEST_F(Sync, AClickOnAnEditIsTakenWhenAHookPaintedItOverOrChangedIt) {
    dialog.start();
    dialog.hookClick(501, [](Dialog& d, int id) {
        d.setFill(id, Rgb{0, 0, 255});
        d.setFill(id, std::nullopt);
        return true;
    });
    dialog.hookClick(502, [](Dialog& d, int id) {
        d.setText(id, "chosen");
        return true;
    });
    EXPECT_TRUE(sync->clickEdit(501));
    EXPECT_TRUE(sync->clickEdit(502));
    dialog.hookClick(502, [](Dialog&, int) { return false; });
    EXPECT_FALSE(sync->clickEdit(502));
    // A click whose hook closed the window: nothing of it is touched after.
    dialog.hookClick(501, [&](Dialog&, int) {
        sync.reset();
        return true;
    });
    DialogSync* raw = sync.get();
    EXPECT_TRUE(raw->clickEdit(501));
    EXPECT_EQ(sync, nullptr);
}

}  // namespace
}  // namespace appgen::ui
