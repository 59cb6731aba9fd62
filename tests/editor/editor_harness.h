// Drives editor dialogs in tests: a page or dialog run directly, and a script
// of steps for the dialogs they open in nested modal loops.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/editor_lists.h"
#include "project/project.h"
#include "ui/dialog_template.h"
#include "ui/headless_services.h"

namespace appgen::editor::testing {

// Each step may look at the open dialogs before it names its action.
class Steps : public ui::ScriptSource {
public:
    void add(ui::ScriptAction a) {
        steps_.push_back([a] { return a; });
    }
    void add(std::function<ui::ScriptAction()> f) { steps_.push_back(std::move(f)); }
    ui::ScriptAction next() override {
        if (steps_.empty()) return ui::ScriptAction::end();
        auto f = std::move(steps_.front());
        steps_.pop_front();
        return f();
    }
    void rejected(const ui::ScriptAction&, const std::string& why) override {
        ADD_FAILURE() << "rejected: " << why;
    }
    bool done() const { return steps_.empty(); }

private:
    std::deque<std::function<ui::ScriptAction()>> steps_;
};

inline Workspace freshWorkspace() {
    Workspace ws;
    resetBarcodeSettings(ws.project);
    resetProject(ws.project);
    return ws;
}

inline std::vector<std::string> boxTexts(const ui::HeadlessServices& ui) {
    std::vector<std::string> out;
    for (const auto& e : ui.events())
        if (e.kind == ui::RecordedEvent::Kind::Box) out.push_back(e.caption + ": " + e.text);
    return out;
}

inline std::vector<std::string> openedDialogs(const ui::HeadlessServices& ui) {
    std::vector<std::string> out;
    for (const auto& e : ui.events())
        if (e.kind == ui::RecordedEvent::Kind::DialogOpen) out.push_back(e.caption);
    return out;
}

// A control a template must hold: its id, kind and text (UTF-8 here).
struct ExpectedControl {
    int id;
    ui::ControlKind kind;
    const char* text;
};

// Every control is there as given; check boxes and radio buttons are plain
// ones, whose state the page sets itself.
inline void expectControls(const ui::DialogTemplate& t, std::initializer_list<ExpectedControl> rows) {
    for (const ExpectedControl& r : rows) {
        const ui::ControlTemplate* c = t.control(r.id);
        ASSERT_NE(nullptr, c) << r.id;
        EXPECT_EQ(r.kind, c->kind) << r.id;
        EXPECT_EQ(cp(r.text), c->text) << r.id;
        EXPECT_FALSE(c->style & ui::kStyleAuto) << r.id;
    }
}

// Labels the program never addresses: each text stands somewhere in the template.
inline void expectLabels(const ui::DialogTemplate& t, std::initializer_list<const char*> labels) {
    for (const char* label : labels) {
        bool found = false;
        for (const auto& c : t.controls) found = found || c.text == cp(label);
        EXPECT_TRUE(found) << label;
    }
}

}  // namespace appgen::editor::testing
