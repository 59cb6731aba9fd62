#include "ui/headless_services.h"

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
    record({RecordedEvent::Kind::Box, request.caption, request.text, 0, a});
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

void HeadlessServices::progressOpen(const ProgressRequest& request) {
    record({RecordedEvent::Kind::ProgressOpen, request.caption, request.text,
            request.kind == ProgressRequest::Kind::Bar ? 0 : 1});
}

void HeadlessServices::progressSet(int value) {
    record({RecordedEvent::Kind::ProgressSet, "", "", value});
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

std::vector<int> HeadlessServices::takePostedCommands() {
    std::vector<int> out;
    out.swap(posted_);
    return out;
}

}  // namespace appgen::ui
