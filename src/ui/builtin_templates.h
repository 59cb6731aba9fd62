// The dialog templates built into the program (resources/dialogs.rc).
#pragma once

#include <string_view>

#include "ui/dialog_template.h"

namespace appgen::ui {

// Read-only, parsed on first use, like a resource section.
const TemplateLibrary& builtinTemplates();
// The template of that name; a missing name is a fault of the program and ends it.
const DialogTemplate& dialogTemplate(std::string_view name);
// The embedded source text, for tests and tools.
std::string_view builtinTemplateSource();

}  // namespace appgen::ui
