// Runs the dialog layer's dialogs and property sheets as Qt windows. The
// host builds the widgets from the dialog's template, starts the dialog, and
// keeps widgets and dialog state in step both ways until the dialog ends.
#pragma once

class QWidget;

namespace appgen::ui {
class Dialog;
class PropertySheet;
}  // namespace appgen::ui

namespace appgen::gui {

// Starts the dialog, lets the user work in it until it ends, and returns its
// result (what ui::Services::runDialog returns).
int runDialogModal(ui::Dialog& dialog, QWidget* parent);

// Runs the sheet with its pages as tabs and OK/Cancel; 1 after OK, 0 after
// Cancel (what ui::Services::runSheet returns).
int runSheetModal(ui::PropertySheet& sheet, QWidget* parent);

}  // namespace appgen::gui
