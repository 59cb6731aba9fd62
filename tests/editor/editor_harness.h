// Drives editor dialogs in tests: a page or dialog run directly, and a script
// of steps for the dialogs they open in nested modal loops.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/editor_lists.h"
#include "project/project.h"
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

}  // namespace appgen::editor::testing
