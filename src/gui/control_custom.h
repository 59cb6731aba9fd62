// A static control the program paints itself (the character table's grid and
// its result field): the widget draws the dialog's paint list for its size
// and reports left clicks with their point.
#pragma once

#include <QWidget>

#include "gui/control_view.h"
#include "ui/paint.h"

class QPainter;

namespace appgen::gui {

// Draws the list in order, in the painter's pixel coordinates. Lines leave out
// their end point, as the painting was written for.
void drawPaintList(QPainter& painter, const ui::PaintList& ops);

class CustomView : public ControlView {
public:
    CustomView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent);
    QWidget* widget() override;
    void show(const ui::ControlState& state) override;

private:
    class Area;
    void clicked(ui::UserResult r) { taken(r); }
    Area* area_;
};

}  // namespace appgen::gui
