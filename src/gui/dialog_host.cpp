#include "gui/dialog_host.h"

#include <QApplication>
#include <QVBoxLayout>

#include "gui/dialog_widgets.h"
#include "gui/sheet_window.h"
#include "gui/window_placement.h"
#include "project/text.h"
#include "ui/dialog.h"
#include "ui/property_sheet.h"

namespace appgen::gui {
namespace {

// A window opened from a modal one belongs to it, so it stays on top of it.
QWidget* ownerFor(QWidget* parent) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : parent;
}

}  // namespace

DialogWindow::DialogWindow(ui::Dialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog), panel_(new DialogPanel(dialog, this)) {
    setWindowTitle(QString::fromStdString(cp1251ToUtf8(dialog.layout().caption)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    panel_->onEnded = [this] { done(dialog_.result()); };
}

DialogWindow::~DialogWindow() { panel_->onEnded = nullptr; }

bool DialogWindow::begin() {
    if (!dialog_.started()) dialog_.start();
    if (dialog_.ended()) return false;
    panel_->refresh();
    return true;
}

void DialogWindow::accept() {
    if (!dialog_.ended()) panel_->taken(dialog_.userOk());
}

void DialogWindow::reject() {
    if (!dialog_.ended()) panel_->taken(dialog_.userCancel());
}

int runDialogModal(ui::Dialog& dialog, QWidget* parent, const QWidget* anchor) {
    DialogWindow window(dialog, ownerFor(parent));
    if (window.begin()) {
        placeOver(window, anchor ? anchor : window.parentWidget());
        window.exec();
    }
    // Closed some other way (the application quitting): destroyed.
    dialog.end(0);
    return dialog.result();
}

int runSheetModal(ui::PropertySheet& sheet, QWidget* parent, const QWidget* anchor) {
    SheetWindow window(sheet, ownerFor(parent));
    if (window.begin()) {
        placeOver(window, anchor ? anchor : window.parentWidget());
        window.exec();
    }
    sheet.destroy();
    return sheet.result();
}

}  // namespace appgen::gui
