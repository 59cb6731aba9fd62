// The state of a dialog as one JSON object, for scripts and logs:
// {"dialog":"NAME","controls":{"ID":{"text":"...","enabled":true,...}}}
// with the keys that apply to each kind of control; controls without an id are left out.
#pragma once

#include <string>
#include <string_view>

#include "ui/dialog.h"

namespace appgen::ui {

std::string dialogStateJson(const Dialog& dialog);
// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace appgen::ui
