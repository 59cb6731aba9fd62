// The controls the program paints itself (the character grid, the character
// table): a window class that draws the dialog's paint list for its control
// and reports left clicks with their point to the dialog.
#pragma once

#include <windows.h>

#include "ui/paint.h"

namespace appgen::win32 {

void registerPaintArea(HINSTANCE instance);

// Draws the list in order with the given font for its texts.
void drawPaintList(HDC dc, const ui::PaintList& ops, HFONT font);

}  // namespace appgen::win32
