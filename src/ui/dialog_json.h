// The state of a dialog as one JSON object, for scripts and logs:
// {"dialog":"NAME","controls":{"ID":{"text":"...","enabled":true,...}}}
// with the keys that apply to each kind of control; controls without an id are left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/dialog.h"

namespace appgen::ui {

std::string dialogStateJson(const Dialog& dialog);
// The same for controls read back from somewhere else (a desktop's real window).
std::string dialogStateJson(const std::string& name, const std::vector<ControlState>& controls);
// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace appgen::ui
