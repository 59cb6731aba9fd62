#include "gui/script_windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTabWidget>

#include "gui/dialog_widgets.h"
#include "project/text.h"
#include "ui/property_sheet.h"

namespace appgen::gui {
namespace {

using R = ui::UserResult;

// Script texts for controls are Windows-1251, the services' texts UTF-8.
QString fromBytes(const std::string& bytes) { return QString::fromStdString(cp1251ToUtf8(bytes)); }
QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A left button pressed and let go at that point of the widget.
void mouseClick(QWidget* widget, QPoint at) {
    const QPointer<QWidget> self(widget);
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    if (!self) return;  // the click closed its window
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// A script names a point of a painted control in the pixels the control has
// at the dialog's standard base units (what appgen-cli lays out); the real
// widget is sized by this system's font, so the point is carried over in
// proportion, onto the same spot of what is drawn there.
QPoint onWidget(const ui::Dialog& dialog, int id, QPoint at, const QWidget& widget) {
    const ui::DialogBaseUnits standard;
    for (const ui::ControlTemplate& t : dialog.layout().controls) {
        if (t.id != id) continue;
        const int width = t.rect.width * standard.x / 4;
        const int height = t.rect.height * standard.y / 8;
        if (width <= 0 || height <= 0) break;
        return {at.x() * widget.width() / width, at.y() * widget.height() / height};
    }
    return at;
}

// A dialog's panel (the dialog's own, or a sheet's page) taking a script's
// input through its real widgets.
class PanelInput final : public shell::DialogInput {
public:
    // `window`: the dialog's window, which takes Enter and Esc; none for a page.
    PanelInput(DialogPanel& panel, DialogWindow* window) : panel_(&panel), window_(window) {}

    const ui::Dialog& dialog() override { return panel_->dialog(); }
    std::vector<ui::ControlState> readBack() override { return panel_->readBack(); }
    void expectInput() override { panel_->expectInput(); }
    // A window the input closed took it.
    std::optional<R> lastResult() override { return panel_ ? panel_->lastResult() : std::optional<R>(R::Done); }

    void pressEnterOrEsc(bool ok) override {
        if (ok)
            window_->accept();
        else
            window_->reject();
    }

    R reach(int id) override {
        const QWidget* control = panel_->controlWidget(id);
        if (!control) return R::NoSuchControl;
        if (!control->isVisibleTo(panel_)) return R::Hidden;
        if (!control->isEnabledTo(panel_)) return R::Disabled;
        return R::Done;
    }

    R type(int id, const std::string& text) override {
        auto* edit = qobject_cast<QLineEdit*>(panel_->controlWidget(id));
        if (!edit) return R::WrongKind;
        // Typed over what the box held: the box announces the edit.
        edit->selectAll();
        edit->insert(fromBytes(text));
        // Typing always announces a change, also when the text stays as it was.
        if (panel_ && !panel_->lastResult()) Q_EMIT edit->textEdited(edit->text());
        return R::Done;
    }

    R click(int id, const std::optional<Point>& at) override {
        QWidget* control = panel_->controlWidget(id);
        const ui::Dialog& d = panel_->dialog();
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            mouseClick(edit, {1, 1});
        else if (d.control(id)->kind == ui::ControlKind::Custom && at)
            mouseClick(control, onWidget(d, id, {at->x, at->y}, *control));
        else
            return R::WrongKind;
        return R::Done;
    }

    R select(int id, int index) override {
        auto* list = qobject_cast<QComboBox*>(panel_->controlWidget(id));
        if (!list) return R::WrongKind;
        if (index < 0 || index >= list->count()) return R::OutOfRange;
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
        return R::Done;
    }

private:
    QPointer<DialogPanel> panel_;  // gone once the input closed its window
    QPointer<DialogWindow> window_;
};

}  // namespace

void pumpEvents() { QApplication::processEvents(); }

ScriptWindows::ScriptWindows() = default;
ScriptWindows::~ScriptWindows() = default;

QWidget* ScriptWindows::owner() const {
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
        if (it->dialog) return it->dialog.get();
        if (it->sheet) return it->sheet.get();
    }
    return nullptr;
}

void ScriptWindows::shown() {
    Shown s;
    QWidget* parent = owner();
    if (ui::PropertySheet* sheet = topmostSheet()) {
        if (!sheet->ended()) {
            s.sheet = std::make_unique<SheetWindow>(*sheet, parent);
            if (s.sheet->begin()) s.sheet->show();
        }
    } else if (ui::Dialog* dialog = topmostDialog()) {
        if (!dialog->ended()) {
            s.dialog = std::make_unique<DialogWindow>(*dialog, parent);
            if (s.dialog->begin()) s.dialog->show();
        }
    }
    shown_.push_back(std::move(s));
    pumpEvents();
}

void ScriptWindows::hidden() {
    if (shown_.empty()) return;
    shown_.pop_back();
    pumpEvents();
}

void ScriptWindows::pump() { pumpEvents(); }

bool ScriptWindows::windowOnTop() const {
    return !shown_.empty() && (shown_.back().dialog || shown_.back().sheet);
}

ui::PropertySheet* ScriptWindows::sheetOnTop() {
    return shown_.empty() || !shown_.back().sheet ? nullptr : &shown_.back().sheet->sheet();
}

// The tab a person clicks.
void ScriptWindows::clickTab(int index) { shown_.back().sheet->tabs()->setCurrentIndex(index); }

void ScriptWindows::clickSheetButton(bool ok) {
    SheetWindow& sheet = *shown_.back().sheet;
    (ok ? sheet.okButton() : sheet.cancelButton())->click();
}

std::unique_ptr<shell::DialogInput> ScriptWindows::inputWindow() {
    if (shown_.empty()) return nullptr;
    Shown& top = shown_.back();
    if (top.dialog) return std::make_unique<PanelInput>(top.dialog->panel(), top.dialog.get());
    if (top.sheet) {
        if (DialogPanel* page = top.sheet->pagePanel(top.sheet->sheet().currentIndex()))
            return std::make_unique<PanelInput>(*page, nullptr);
    }
    return nullptr;
}

void ScriptWindows::openProgress(const ui::ProgressRequest& request) {
    const auto cancel = [this] { cancelFlag() = true; };
    if (request.kind == ui::ProgressRequest::Kind::Bar) {
        bar_ = std::make_unique<ProgressWindow>(fromUtf8(request.caption), fromUtf8(request.text));
        bar_->cancelButton()->onCancel = cancel;
        bar_->show();
    } else {
        count_ = std::make_unique<CountBox>(fromUtf8(request.text));
        count_->cancelButton()->onCancel = cancel;
        count_->show();
    }
}

void ScriptWindows::setProgress(int value) {
    if (bar_) bar_->setPercent(value);
    if (count_) count_->setCount(value);
}

void ScriptWindows::closeProgress() {
    bar_.reset();
    count_.reset();
}

void ScriptWindows::openConnecting(const ui::ProgressRequest& request) {
    connecting_ = std::make_unique<ProgressWindow>(fromUtf8(request.caption), fromUtf8(request.text),
                                                   fromUtf8(request.detail));
    connecting_->cancelButton()->onCancel = [this] { cancelFlag() = true; };
    connecting_->show();
}

void ScriptWindows::closeConnecting() { connecting_.reset(); }

void ScriptWindows::clickCancel() {
    if (connecting_) connecting_->cancelButton()->click();
    if (bar_) bar_->cancelButton()->click();
    if (count_) count_->cancelButton()->click();
}

}  // namespace appgen::gui
