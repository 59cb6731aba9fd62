#include "link/operator_messages.h"

#include "link/link_messages.h"

namespace appgen::link {

void showError(OperatorPanel& panel, const std::string& text, Icon icon, const std::string& detail) {
    panel.tell({msg::kError, text, icon, detail});
}

bool askYesNo(OperatorPanel& panel, const std::string& caption, const std::string& text, Icon icon) {
    return panel.ask({caption, text, icon});
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
