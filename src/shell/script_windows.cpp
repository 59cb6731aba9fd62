#include "shell/script_windows.h"

#include "ui/dialog_json.h"
#include "ui/property_sheet.h"

namespace appgen::shell {
namespace {

using A = ui::ScriptAction;
using R = ui::UserResult;

std::string why(R r, const A& a) {
    if (r == R::Done) return {};
    const bool aboutControl =
        a.kind == A::Kind::Type || a.kind == A::Kind::Click || a.kind == A::Kind::ClickAt || a.kind == A::Kind::Select;
    return aboutControl ? "control " + std::to_string(a.id) + ": " + ui::describe(r) : ui::describe(r);
}

}  // namespace

std::string ScriptWindows::perform(const A& a) {
    if (!windowOnTop()) return HeadlessServices::perform(a);
    switch (a.kind) {
        case A::Kind::Page: {
            ui::PropertySheet* sheet = sheetOnTop();
            if (!sheet) return HeadlessServices::perform(a);
            const int index = a.text.empty() ? a.index : sheet->findPage(a.text);
            if (index < 0) return "no page " + a.text;
            if (sheet->ended()) return why(R::Closed, a);
            if (index >= sheet->pageCount()) return why(R::OutOfRange, a);
            clickTab(index);
            pump();
            return {};
        }
        case A::Kind::Ok:
        case A::Kind::Cancel:
            return pressOkOrCancel(a);
        case A::Kind::Dump: {
            const auto window = inputWindow();
            if (!window) return HeadlessServices::perform(a);
            const std::string& name = window->dialog().name();
            record({ui::RecordedEvent::Kind::Dump, name, ui::dialogStateJson(name, window->readBack())});
            return {};
        }
        case A::Kind::Type:
        case A::Kind::Click:
        case A::Kind::ClickAt:
        case A::Kind::Select:
            if (const auto window = inputWindow()) return onControl(a, *window);
            return HeadlessServices::perform(a);
        default:
            return HeadlessServices::perform(a);
    }
}

std::string ScriptWindows::pressOkOrCancel(const A& a) {
    const bool ok = a.kind == A::Kind::Ok;
    if (ui::PropertySheet* sheet = sheetOnTop()) {
        if (sheet->ended()) return why(R::Closed, a);
        clickSheetButton(ok);
        pump();
        return {};
    }
    const auto window = inputWindow();
    if (!window || window->dialog().role() != ui::Dialog::Role::Modal) return HeadlessServices::perform(a);
    window->expectInput();
    window->pressEnterOrEsc(ok);
    const auto r = window->lastResult();
    pump();
    return r ? why(*r, a) : std::string{};
}

std::string ScriptWindows::onControl(const A& a, DialogInput& window) {
    if (window.dialog().ended()) return why(R::Closed, a);
    if (!window.dialog().control(a.id)) return why(R::NoSuchControl, a);
    if (const R reached = window.reach(a.id); reached != R::Done) return why(reached, a);
    window.expectInput();
    R given = R::Done;
    switch (a.kind) {
        case A::Kind::Type: given = window.type(a.id, a.text); break;
        case A::Kind::Click: given = window.click(a.id, std::nullopt); break;
        case A::Kind::ClickAt: given = window.click(a.id, DialogInput::Point{a.x, a.y}); break;
        case A::Kind::Select: given = window.select(a.id, a.index); break;
        default: break;
    }
    if (given != R::Done) return why(given, a);
    const auto r = window.lastResult();
    pump();
    if (!r) return "control " + std::to_string(a.id) + ": the window did not pass the input on";
    return why(*r, a);
}

void ScriptWindows::progressOpen(const ui::ProgressRequest& request) {
    HeadlessServices::progressOpen(request);
    openProgress(request);
    pump();
}

void ScriptWindows::progressSet(int value) {
    setProgress(value);
    HeadlessServices::progressSet(value);  // may press Cancel at this value
    pump();
}

void ScriptWindows::progressClose() {
    HeadlessServices::progressClose();
    closeProgress();
    pump();
}

void ScriptWindows::connectingOpen(const ui::ProgressRequest& request) {
    openConnecting(request);
    pump();
    HeadlessServices::connectingOpen(request);  // may press Cancel at once
}

void ScriptWindows::connectingClose() {
    HeadlessServices::connectingClose();
    closeConnecting();
    pump();
}

void ScriptWindows::pressCancel() {
    // The button of the window that shows, as a person clicks it.
    clickCancel();
    HeadlessServices::pressCancel();
}

void ScriptWindows::transferStarts() {
    HeadlessServices::transferStarts();
    cancel_ = false;
}

bool ScriptWindows::cancelRequested() { return HeadlessServices::cancelRequested() || cancel_; }

}  // namespace appgen::shell
