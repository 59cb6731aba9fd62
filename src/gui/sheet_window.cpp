#include "gui/sheet_window.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/dialog_units.h"
#include "gui/dialog_widgets.h"
#include "project/text.h"
#include "ui/property_sheet.h"

namespace appgen::gui {
namespace {

QString fromBytes(const std::string& bytes) { return QString::fromStdString(cp1251ToUtf8(bytes)); }

}  // namespace

SheetWindow::SheetWindow(ui::PropertySheet& sheet, QWidget* parent)
    : QDialog(parent), sheet_(sheet), tabs_(new QTabWidget(this)) {
    setWindowTitle(fromBytes(sheet.caption()));

    // Every page gets the room of the largest, as the sheet sizes itself to it.
    QSize room;
    for (int i = 0; i < sheet.pageCount(); ++i) {
        const ui::DialogTemplate& t = sheet.pageLayout(i);
        const ui::DialogBaseUnits units = baseUnits(dialogFont(t.fontName, t.fontSize));
        room = room.expandedTo(toPixels(t.width, t.height, units));
    }
    for (int i = 0; i < sheet.pageCount(); ++i) {
        auto* holder = new QWidget;
        holder->setMinimumSize(room);
        tabs_->addTab(holder, fromBytes(sheet.pageLayout(i).caption));
        holders_.push_back(holder);
        panels_.push_back(nullptr);
    }

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, [this] { sheet_.ok(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { sheet_.cancel(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { tabChosen(index); });
    sheet_.onChanged = [this] { changed(); };
}

SheetWindow::~SheetWindow() {
    sheet_.onChanged = nullptr;
    // The panels stop listening before the sheet's dialogs go.
    for (DialogPanel* panel : panels_) delete panel;
}

bool SheetWindow::begin() {
    if (sheet_.pageCount() == 0) return false;
    if (!sheet_.started()) sheet_.start();
    changed();
    return !sheet_.ended();
}

DialogPanel* SheetWindow::pagePanel(int index) const {
    return index >= 0 && index < static_cast<int>(panels_.size()) ? panels_[index] : nullptr;
}

void SheetWindow::reject() {
    if (!sheet_.ended()) sheet_.cancel();
}

void SheetWindow::tabChosen(int index) {
    if (index >= 0 && !sheet_.ended()) sheet_.showPage(index);
}

void SheetWindow::changed() {
    if (sheet_.ended()) {
        done(sheet_.result());
        return;
    }
    if (!sheet_.started()) return;
    const int index = sheet_.currentIndex();
    if (!panels_[index])
        if (ui::Dialog* page = sheet_.page(index)) {
            auto* panel = new DialogPanel(*page, holders_[index]);
            panel->move(0, 0);
            panel->show();
            panels_[index] = panel;
        }
    if (tabs_->currentIndex() != index) {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(index);
    }
}

}  // namespace appgen::gui
