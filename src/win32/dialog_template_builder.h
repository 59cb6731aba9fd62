// A dialog template in memory (DLGTEMPLATEEX) from the core's description:
// the same controls, ids, styles, dialog units and font as the resource the
// dialog was written for, for CreateDialogIndirectParam, DialogBoxIndirectParam
// and property sheet pages.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/dialog_template.h"

namespace appgen::win32 {

enum class TemplateRole {
    Modal,  // a popup with a caption and a system menu
    Page,   // a child of a property sheet
};

// DWORD-aligned, as the system requires; pass data() as the template.
std::vector<DWORD> buildDialogTemplate(const ui::DialogTemplate& layout, TemplateRole role);

// How tall a drop-down list's template item is: its field and its open list.
inline constexpr int kDropDownListHeight = 96;

}  // namespace appgen::win32
