// Message boxes of the transfers, in one place so every caption, icon and
// button set is given the same way.
#pragma once

#include <string>

#include "link/link_context.h"
#include "link/operator_panel.h"
#include "link/port_advice.h"

namespace appgen::link {

void showError(OperatorPanel& panel, const std::string& text, Icon icon = Icon::Warning,
               const std::string& detail = {});
// A Yes/No question; true for Yes.
bool askYesNo(OperatorPanel& panel, const std::string& caption, const std::string& text, Icon icon);
// What to check when the terminal did not answer on the port the transfer
// opened: its device, speed, mode and cable or cradle.
std::string noAnswerAdvice(const LinkContext& link, TransferKind kind);
// The text with its single "%d" replaced by n.
std::string withCount(const char* format, int n);

}  // namespace appgen::link
