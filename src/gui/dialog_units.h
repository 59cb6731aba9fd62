// Dialog units to pixels, as dialog templates were laid out for: a
// horizontal unit is a quarter of the dialog font's average character width,
// a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <string>

#include "ui/dialog.h"
#include "ui/dialog_template.h"

namespace appgen::gui {

// The template's font, or its nearest installed substitute at the same size.
QFont dialogFont(const std::string& face, int pointSize);

// Average width of the letters A..Z and a..z, rounded, and the line height.
ui::DialogBaseUnits baseUnits(const QFont& font);

// Each edge is mapped on its own, so controls that meet in dialog units meet
// in pixels too.
QRect toPixels(const ui::DialogRect& rect, ui::DialogBaseUnits units);
QSize toPixels(int width, int height, ui::DialogBaseUnits units);

}  // namespace appgen::gui
