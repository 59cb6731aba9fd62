// Plays a picture's drawing steps back with GDI at a scale, into a bitmap of
// its own: the vector steps are drawn at the screen's density, so the
// terminal stays sharp at every scaling.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/drawing.h"

namespace appgen::win32 {

// The drawings a PlacePicture step names.
using DrawingSet = std::function<ui::Drawing(int picture)>;

// A 32-bit bitmap of the drawing at `scale` device pixels a logical pixel;
// the caller deletes it. Nothing for an empty drawing.
HBITMAP renderDrawing(const ui::Drawing& drawing, double scale, const DrawingSet& set);

}  // namespace appgen::win32
