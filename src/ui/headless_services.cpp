#include "ui/headless_services.h"

#include "ui/dialog.h"
#include "ui/dialog_json.h"
#include "ui/property_sheet.h"

namespace appgen::ui {

void HeadlessServices::record(RecordedEvent e) {
    events_.push_back(e);
    if (onEvent) onEvent(events_.back());
}

Answer HeadlessServices::messageBox(const MessageBoxRequest& request) {
    Answer a = Answer::Ok;
    if (request.buttons != Buttons::Ok) {
        if (!answers_.empty()) {
            a = answers_.front();
            answers_.pop_front();
        } else if (onUnanswered) {
            a = onUnanswered(request);
        } else {
            a = request.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
        }
    }
    record({RecordedEvent::Kind::Box, request.caption, request.text, 0, a, request.detail});
    return a;
}

std::optional<std::string> HeadlessServices::fileDialog(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    std::optional<std::string> path;
    if (!files_.empty()) {
        path = files_.front();
        files_.pop_front();
    }
    const bool open = request.kind == FileDialogRequest::Kind::Open;
    record({RecordedEvent::Kind::File, open ? "open" : "save", path.value_or(""), 0,
            path ? Answer::Ok : Answer::Cancel});
    return path;
}

void HeadlessServices::pressCancel() {
    cancelled_ = true;
    record({RecordedEvent::Kind::Cancel, "", ""});
}

void HeadlessServices::progressOpen(const ProgressRequest& request) {
    record({RecordedEvent::Kind::ProgressOpen, request.caption, request.text,
            request.kind == ProgressRequest::Kind::Bar ? 0 : 1});
}

void HeadlessServices::connectingOpen(const ProgressRequest& request) {
    record({RecordedEvent::Kind::Connecting, request.caption, request.text, 1, Answer::Ok, request.detail});
    if (!cancels_.empty() && cancels_.front().when == CancelPress::When::Connecting) {
        cancels_.pop_front();
        pressCancel();
    }
}

void HeadlessServices::connectingClose() { record({RecordedEvent::Kind::Connecting, "", "", 0}); }

void HeadlessServices::progressSet(int value) {
    record({RecordedEvent::Kind::ProgressSet, "", "", value});
    if (!cancels_.empty() && cancels_.front().when == CancelPress::When::Progress &&
        value >= cancels_.front().value) {
        cancels_.pop_front();
        pressCancel();
    }
}

void HeadlessServices::progressClose() { record({RecordedEvent::Kind::ProgressClose, "", ""}); }

bool HeadlessServices::launchViewer(const std::string& path) {
    record({RecordedEvent::Kind::Launch, path, ""});
    return launcher ? launcher(path) : true;
}

void HeadlessServices::showHelp(const std::string& path, bool finder) {
    record({RecordedEvent::Kind::Help, path, finder ? "finder" : "contents"});
}

void HeadlessServices::postCommand(int command) {
    posted_.push_back(command);
    record({RecordedEvent::Kind::Post, "", "", command});
}

Dialog* HeadlessServices::topmostDialog() {
    if (windows_.empty()) return nullptr;
    const Window& w = windows_.back();
    if (w.dialog) return w.dialog;
    return w.sheet->started() && !w.sheet->ended() ? &w.sheet->current() : nullptr;
}

PropertySheet* HeadlessServices::topmostSheet() {
    return windows_.empty() ? nullptr : windows_.back().sheet;
}

namespace {

std::string why(UserResult r, const ScriptAction& a) {
    if (r == UserResult::Done) return {};
    const bool aboutControl = a.kind == ScriptAction::Kind::Type ||
                              a.kind == ScriptAction::Kind::Click ||
                              a.kind == ScriptAction::Kind::ClickAt ||
                              a.kind == ScriptAction::Kind::Select;
    return aboutControl ? "control " + std::to_string(a.id) + ": " + describe(r) : describe(r);
}

}  // namespace

std::string HeadlessServices::perform(const ScriptAction& a) {
    using K = ScriptAction::Kind;
    if (windows_.empty()) return "no dialog is open";
    PropertySheet* sheet = topmostSheet();
    Dialog* dialog = topmostDialog();
    switch (a.kind) {
        case K::Page: {
            if (!sheet) return "no property sheet is open";
            const int index = a.text.empty() ? a.index : sheet->findPage(a.text);
            if (index < 0) return "no page " + a.text;
            return why(sheet->showPage(index), a);
        }
        case K::Ok:
            return why(sheet ? sheet->ok() : dialog->userOk(), a);
        case K::Cancel:
            return why(sheet ? sheet->cancel() : dialog->userCancel(), a);
        case K::End:
            inputEnded_ = true;
            return {};
        default:
            break;
    }
    if (!dialog) return "no dialog is open";
    switch (a.kind) {
        case K::Type: return why(dialog->userType(a.id, a.text), a);
        case K::Click: return why(dialog->userClick(a.id), a);
        case K::ClickAt: return why(dialog->userClickAt(a.id, a.x, a.y), a);
        case K::Select: return why(dialog->userSelect(a.id, a.index), a);
        case K::Dump:
            record({RecordedEvent::Kind::Dump, dialog->name(), dialogStateJson(*dialog)});
            return {};
        default: return {};
    }
}

template <typename Done>
void HeadlessServices::loop(Done done) {
    while (!done()) {
        if (!script_ || inputEnded_) return;
        const ScriptAction action = script_->next();
        if (action.kind == ScriptAction::Kind::End) {
            inputEnded_ = true;
            return;
        }
        const std::string reason = perform(action);
        if (!reason.empty()) {
            record({RecordedEvent::Kind::Rejected, topmostDialog() ? topmostDialog()->name() : "",
                    reason});
            script_->rejected(action, reason);
        }
    }
}

int HeadlessServices::runDialog(Dialog& dialog) {
    if (inputEnded_) return 0;
    windows_.push_back({&dialog, nullptr});
    record({RecordedEvent::Kind::DialogOpen, dialog.name(), ""});
    dialog.start();
    shown();
    loop([&] { return dialog.ended(); });
    dialog.end(0);  // input ran out: destroyed
    hidden();
    windows_.pop_back();
    record({RecordedEvent::Kind::DialogClose, dialog.name(), "", dialog.result()});
    return dialog.result();
}

int HeadlessServices::runSheet(PropertySheet& sheet) {
    if (inputEnded_) return 0;
    windows_.push_back({nullptr, &sheet});
    record({RecordedEvent::Kind::DialogOpen, sheet.name(), ""});
    sheet.start();
    shown();
    loop([&] { return sheet.ended(); });
    sheet.destroy();
    hidden();
    windows_.pop_back();
    record({RecordedEvent::Kind::DialogClose, sheet.name(), "", sheet.result()});
    return sheet.result();
}

std::vector<int> HeadlessServices::takePostedCommands() {
    std::vector<int> out;
    out.swap(posted_);
    return out;
}

}  // namespace appgen::ui
