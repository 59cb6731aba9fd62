// The client area of a hosted dialog: one widget per control of its template,
// placed by dialog units scaled by the template font's base units. The
// core's DialogSync routes the dialog's change announcements; the panel shows
// each on the widget concerned, and the widgets send the user's actions to
// the dialog.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QFont>
#include <QWidget>

#include "gui/control_view.h"
#include "ui/dialog.h"
#include "ui/dialog_sync.h"

namespace appgen::gui {

class DialogPanel : public QWidget, private ui::ControlShower {
public:
    DialogPanel(ui::Dialog& dialog, QWidget* parent);
    ~DialogPanel() override;

    ui::Dialog& dialog() { return dialog_; }
    ui::DialogBaseUnits units() const { return units_; }
    // The widget of the first control with that id; nothing for kNoId.
    QWidget* controlWidget(int id) const;
    // The widget of the template's control at that index.
    QWidget* widgetAt(std::size_t index) const;

    // Shows the whole state of the dialog, as after its handler's init.
    void refresh();

    // The dialog's answer to the last user action a widget (or the window's
    // Enter and Esc) passed on since expectInput(); nothing when none did.
    void expectInput() { last_.reset(); }
    std::optional<ui::UserResult> lastResult() const { return last_; }
    void taken(ui::UserResult r) { last_ = r; }
    // The controls as the widgets show them, with what a widget cannot tell
    // (kinds, fills) from the dialog.
    std::vector<ui::ControlState> readBack() const;

    // Called once when the dialog announces that it closed.
    std::function<void()> onEnded;

private:
    // ControlShower
    void showControl(std::size_t index, const ui::ControlState& state) override;
    void focusControl(int id) override;
    void dialogEnded() override;

    void showFill(std::size_t index, const ui::ControlState& state);

    ui::Dialog& dialog_;
    QFont font_;
    ui::DialogBaseUnits units_;
    std::vector<std::unique_ptr<ControlView>> views_;  // in template order
    std::vector<QWidget*> fills_;                      // painted over the control, or null
    std::unique_ptr<ui::DialogSync> sync_;             // made once the widgets are there
    std::optional<ui::UserResult> last_;
};

// `editClick` takes a left click on an edit box (see DialogSync::clickEdit).
std::unique_ptr<ControlView> makeControlView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent,
                                             const std::function<bool(int id)>& editClick);

}  // namespace appgen::gui
