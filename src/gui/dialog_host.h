// Runs the dialog layer's dialogs and property sheets as Qt windows. The
// host builds the widgets from the dialog's template, starts the dialog, and
// keeps widgets and dialog state in step both ways until the dialog ends.
#pragma once

#include <QDialog>

namespace appgen::ui {
class Dialog;
class PropertySheet;
}  // namespace appgen::ui

namespace appgen::gui {

class DialogPanel;

// Starts the dialog, lets the user work in it until it ends, and returns its
// result (what ui::Services::runDialog returns). While another modal window
// is up the dialog is owned by that window rather than by `parent`. It opens
// centred on `anchor` (the terminal; without one, on its owner), wholly
// inside the screen's available area.
int runDialogModal(ui::Dialog& dialog, QWidget* parent, const QWidget* anchor = nullptr);

// Runs the sheet with its pages as tabs and OK/Cancel; 1 after OK, 0 after
// Cancel (what ui::Services::runSheet returns). Placed as a dialog is.
int runSheetModal(ui::PropertySheet& sheet, QWidget* parent, const QWidget* anchor = nullptr);

// The window of one modal dialog, for the host and for tests that drive it
// without a nested event loop.
class DialogWindow : public QDialog {
public:
    DialogWindow(ui::Dialog& dialog, QWidget* parent);
    ~DialogWindow() override;

    // Runs the handler's init (unless the dialog has started already) and
    // shows its state; false when the dialog ended there and the window is
    // not to be shown.
    bool begin();
    DialogPanel& panel() { return *panel_; }

    // Enter as the dialog passes it on when no button takes it: the dialog's
    // OK, which may refuse.
    void accept() override;
    // Esc and the close box ask the dialog's Cancel, which may refuse.
    void reject() override;

private:
    ui::Dialog& dialog_;
    DialogPanel* panel_;
};

}  // namespace appgen::gui
