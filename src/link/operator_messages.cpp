#include "link/operator_messages.h"

#include "link/link_messages.h"

namespace appgen::link {

void showError(ui::Services& ui, const std::string& text, ui::Icon icon, const std::string& detail) {
    ui::MessageBoxRequest r;
    r.caption = msg::kError;
    r.text = text;
    r.icon = icon;
    r.detail = detail;
    ui.messageBox(r);
}

bool askYesNo(ui::Services& ui, const std::string& caption, const std::string& text,
              ui::Icon icon) {
    ui::MessageBoxRequest r;
    r.caption = caption;
    r.text = text;
    r.buttons = ui::Buttons::YesNo;
    r.icon = icon;
    return ui.messageBox(r) == ui::Answer::Yes;
}

std::string noAnswerAdvice(const LinkContext& link, TransferKind kind) {
    return timeoutAdvice(link.opened, link.state.line.baudRate, kind, link.viaCradle);
}

std::string withCount(const char* format, int n) {
    std::string s = format;
    const auto at = s.find("%d");
    if (at != std::string::npos) s.replace(at, 2, std::to_string(n));
    return s;
}

}  // namespace appgen::link
