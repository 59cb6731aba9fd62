// The modal property sheet: the pages' captions as tabs, OK and Cancel, no
// Apply. A page's widgets are built the first time its tab is shown, after
// the sheet has created its dialog.
#pragma once

#include <vector>

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace appgen::ui {
class PropertySheet;
}

namespace appgen::gui {

class DialogPanel;

class SheetWindow : public QDialog {
public:
    SheetWindow(ui::PropertySheet& sheet, QWidget* parent);
    ~SheetWindow() override;

    // Starts the sheet (unless it has started already) and shows its
    // current page; false when the sheet has no pages or ended.
    bool begin();

    ui::PropertySheet& sheet() const { return sheet_; }
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Nothing until the page has been shown.
    DialogPanel* pagePanel(int index) const;

protected:
    // Esc and the close box are Cancel.
    void reject() override;

private:
    void changed();
    void tabChosen(int index);

    ui::PropertySheet& sheet_;
    QTabWidget* tabs_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::vector<QWidget*> holders_;  // one per page, in page order
    std::vector<DialogPanel*> panels_;
};

}  // namespace appgen::gui
