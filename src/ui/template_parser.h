// Reads dialog templates from their text form (resources/dialogs.rc describes it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/dialog_template.h"

namespace appgen::ui {

struct TemplateParse {
    std::vector<DialogTemplate> templates;
    std::string error;  // empty on success: "line 12: ..."
    bool ok() const { return error.empty(); }
};

// Texts in the source are UTF-8 and come out as Windows-1251; a character the
// code page cannot hold is an error, so no text is silently changed.
TemplateParse parseTemplates(std::string_view source);

}  // namespace appgen::ui
