// Where windows go on the screen: the terminal at its start position unless
// that puts it partly off the screen, and every dialog and box centred on the
// terminal, moved so that its whole frame, title bar included, lies inside
// the screen's available area (never under a panel, always draggable).
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace appgen::gui {

// A frame of that size centred on `anchor`, then moved into `available`;
// one larger than the area keeps its top-left corner in it.
QRect placeFrame(QSize frameSize, const QRect& anchor, const QRect& available);

// The window's frame at `wanted`, moved into `available` as little as it takes.
QRect keepInside(const QRect& wanted, const QRect& available);

// The decoration the window manager puts around a window: the window's own
// once it is on the screen, else that of another decorated window, else a
// title bar's worth at the screen's scale.
QMargins frameMargins(const QWidget& window);

// Puts a window that is about to be shown centred over `anchor` (or the
// middle of the screen without one), its whole frame inside the available
// area of the anchor's screen.
void placeOver(QWidget& window, const QWidget* anchor);

}  // namespace appgen::gui
