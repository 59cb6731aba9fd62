// Small rules shared by the editor's dialogs for boxes and plain check boxes.
#pragma once

#include "project/project.h"
#include "ui/dialog.h"

namespace appgen::editor {

// A number box storing the low byte of what is typed. Text that is not a
// number is replaced by `replacement` (whose own change then stores it); an
// empty box stores 0.
void storeByteBox(ui::Dialog& d, int id, u8& field, const char* replacement);

// A plain check box: the click turns it to the opposite state, which is stored
// as 1 or 0 and returned.
bool toggleCheck(ui::Dialog& d, int id, u8& field);

// A list filled and selected.
void fillList(ui::Dialog& d, int id, std::vector<std::string> items, int selected);

}  // namespace appgen::editor
