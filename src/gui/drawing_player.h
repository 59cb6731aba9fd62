// Plays a core drawing back with a QPainter: the whole of the Qt side of the
// terminal's pictures.
#pragma once

#include <QImage>
#include <functional>

#include "ui/drawing.h"

namespace appgen::gui {

// The drawing at the device pixel ratio; `picture` gives the images of the
// pictures it places.
QImage playDrawing(const ui::Drawing& drawing, qreal ratio, const std::function<const QImage&(int)>& picture);

QColor toQColor(const ui::Colour& c);

}  // namespace appgen::gui
