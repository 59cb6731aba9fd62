#include "shell/services_operator_panel.h"

namespace appgen::shell {
namespace {

ui::Icon iconOf(link::Icon icon) {
    switch (icon) {
        case link::Icon::None: return ui::Icon::None;
        case link::Icon::Warning: return ui::Icon::Warning;
        case link::Icon::Question: return ui::Icon::Question;
    }
    return ui::Icon::None;
}

ui::ProgressRequest progressOf(const link::ProgressWindow& window) {
    ui::ProgressRequest r;
    r.kind = window.kind == link::ProgressWindow::Kind::Count ? ui::ProgressRequest::Kind::Count
                                                              : ui::ProgressRequest::Kind::Bar;
    r.caption = window.caption;
    r.text = window.text;
    r.detail = window.detail;
    return r;
}

ui::MessageBoxRequest messageBoxOf(const link::OperatorMessage& message, ui::Buttons buttons) {
    ui::MessageBoxRequest r;
    r.caption = message.caption;
    r.text = message.text;
    r.buttons = buttons;
    r.icon = iconOf(message.icon);
    r.hasOwner = message.hasOwner;
    r.detail = message.detail;
    return r;
}

ui::FileDialogRequest fileDialogOf(const link::FileQuestion& question) {
    ui::FileDialogRequest r;
    for (const auto& f : question.filters) r.filters.push_back({f.description, f.pattern});
    r.filterIndex = 0;
    r.defaultExtension = question.defaultExtension;
    r.initialName = question.initialName;
    if (question.kind == link::FileQuestion::Kind::Open) {
        r.kind = ui::FileDialogRequest::Kind::Open;
        r.options = ui::kFileMustExist | ui::kHideReadOnly;
    } else {
        r.kind = ui::FileDialogRequest::Kind::Save;
        r.options = ui::kOverwritePrompt | ui::kPathMustExist | ui::kHideReadOnly;
    }
    return r;
}

}  // namespace

void ServicesOperatorPanel::tell(const link::OperatorMessage& message) {
    ui_.messageBox(messageBoxOf(message, ui::Buttons::Ok));
}

bool ServicesOperatorPanel::ask(const link::OperatorMessage& question) {
    return ui_.messageBox(messageBoxOf(question, ui::Buttons::YesNo)) == ui::Answer::Yes;
}

std::optional<std::string> ServicesOperatorPanel::chooseFile(const link::FileQuestion& question) {
    return ui_.fileDialog(fileDialogOf(question));
}

void ServicesOperatorPanel::progressOpen(const link::ProgressWindow& window) {
    ui_.progressOpen(progressOf(window));
}

void ServicesOperatorPanel::connectingOpen(const link::ProgressWindow& window) {
    ui_.connectingOpen(progressOf(window));
}

}  // namespace appgen::shell
