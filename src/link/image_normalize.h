// What a compile changes in the project before the image is assembled: menu
// titles and items become fixed-width padded texts with their count, and each
// form learns its last input line.
#pragma once

#include "project/project.h"

namespace appgen::link {

// Columns of a menu's texts: 15 with the big font, else 20.
int menuWidth(const MenuDef& m);

// Makes a slot of at least width + 1 bytes a terminal text: its characters up
// to the NUL, spaces up to `width`, a NUL at `width`; a longer text, or one with
// no NUL, is cut to the width. Bytes after that terminator are kept.
void padText(char* slot, int width);
// True when the text (up to its NUL, at most `width` bytes) has a character
// above the space; Windows-1251 letters are above 0x7F and count.
bool hasVisibleText(const char* slot, int width);

// 1 + the index of the last line of a data type (1..6), or 0 when none.
u8 lastInputLine(const FormDef& f);

// The project-side steps of a compile, in their order: normalizeForms(), then
// for each k menu k's title (when shown) and items padded, itemCount counted,
// and form k's lastInputLine derived.
void normalizeForCompile(Project& p);

}  // namespace appgen::link
