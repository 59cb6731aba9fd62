// A single-line edit box. What the user types reaches the dialog as
// Windows-1251 bytes; a click first goes to the dialog, where a hook may take
// it (the prefix and suffix boxes open the character table).
#pragma once

#include <QLineEdit>
#include <functional>

#include "gui/control_view.h"

namespace appgen::gui {

class EditView : public ControlView {
public:
    // `click` hands a left click to the dialog first; true: the box leaves it.
    EditView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent, std::function<bool(int id)> click);
    QWidget* widget() override;
    void show(const ui::ControlState& state) override;
    void readBack(ui::ControlState& state) const override;

private:
    class Box;
    void typed(const QString& text);

    Box* edit_;
    bool typing_ = false;  // the box's own text is on its way to the dialog
};

}  // namespace appgen::gui
