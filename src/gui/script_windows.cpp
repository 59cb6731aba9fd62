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
#include "ui/dialog_json.h"
#include "ui/property_sheet.h"

namespace appgen::gui {
namespace {

using A = ui::ScriptAction;

std::string why(ui::UserResult r, const A& a) {
    if (r == ui::UserResult::Done) return {};
    const bool aboutControl =
        a.kind == A::Kind::Type || a.kind == A::Kind::Click || a.kind == A::Kind::ClickAt || a.kind == A::Kind::Select;
    return aboutControl ? "control " + std::to_string(a.id) + ": " + ui::describe(r) : ui::describe(r);
}

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

DialogPanel* ScriptWindows::panel() {
    if (shown_.empty()) return nullptr;
    Shown& top = shown_.back();
    if (top.dialog) return &top.dialog->panel();
    if (top.sheet) return top.sheet->pagePanel(top.sheet->sheet().currentIndex());
    return nullptr;
}

std::string ScriptWindows::perform(const A& a) {
    if (shown_.empty() || (!shown_.back().dialog && !shown_.back().sheet)) return HeadlessServices::perform(a);
    Shown& top = shown_.back();
    switch (a.kind) {
        case A::Kind::Page: {
            if (!top.sheet) return HeadlessServices::perform(a);
            ui::PropertySheet& sheet = top.sheet->sheet();
            const int index = a.text.empty() ? a.index : sheet.findPage(a.text);
            if (index < 0) return "no page " + a.text;
            if (sheet.ended()) return why(ui::UserResult::Closed, a);
            if (index >= sheet.pageCount()) return why(ui::UserResult::OutOfRange, a);
            // The tab a person clicks.
            top.sheet->tabs()->setCurrentIndex(index);
            pumpEvents();
            return {};
        }
        case A::Kind::Ok:
        case A::Kind::Cancel: {
            const bool ok = a.kind == A::Kind::Ok;
            if (top.sheet) {
                if (top.sheet->sheet().ended()) return why(ui::UserResult::Closed, a);
                (ok ? top.sheet->okButton() : top.sheet->cancelButton())->click();
                pumpEvents();
                return {};
            }
            DialogPanel* p = panel();
            if (!p || p->dialog().role() != ui::Dialog::Role::Modal) return HeadlessServices::perform(a);
            // Enter or Esc, as the window passes them on.
            p->expectInput();
            if (ok)
                top.dialog->accept();
            else
                top.dialog->reject();
            const auto r = p->lastResult();
            pumpEvents();
            return r ? why(*r, a) : std::string{};
        }
        case A::Kind::Dump: {
            DialogPanel* p = panel();
            if (!p) return HeadlessServices::perform(a);
            record({ui::RecordedEvent::Kind::Dump, p->dialog().name(),
                    ui::dialogStateJson(p->dialog().name(), p->readBack())});
            return {};
        }
        case A::Kind::Type:
        case A::Kind::Click:
        case A::Kind::ClickAt:
        case A::Kind::Select:
            if (DialogPanel* p = panel()) return onControl(a, *p);
            return HeadlessServices::perform(a);
        default:
            return HeadlessServices::perform(a);
    }
}

std::string ScriptWindows::onControl(const A& a, DialogPanel& p) {
    using R = ui::UserResult;
    if (p.dialog().ended()) return why(R::Closed, a);
    QWidget* control = p.controlWidget(a.id);
    if (!control || !p.dialog().control(a.id)) return why(R::NoSuchControl, a);
    if (!control->isVisibleTo(&p)) return why(R::Hidden, a);
    if (!control->isEnabledTo(&p)) return why(R::Disabled, a);
    const QPointer<DialogPanel> alive(&p);
    p.expectInput();
    auto* edit = qobject_cast<QLineEdit*>(control);
    auto* button = qobject_cast<QAbstractButton*>(control);
    auto* list = qobject_cast<QComboBox*>(control);
    const bool area = p.dialog().control(a.id)->kind == ui::ControlKind::Custom;
    switch (a.kind) {
        case A::Kind::Type: {
            if (!edit) return why(R::WrongKind, a);
            // Typed over what the box held: the box announces the edit.
            edit->selectAll();
            edit->insert(fromBytes(a.text));
            // Typing always announces a change, also when the text stays as it was.
            if (alive && !p.lastResult()) Q_EMIT edit->textEdited(edit->text());
            break;
        }
        case A::Kind::Click:
        case A::Kind::ClickAt:
            if (button)
                button->click();
            else if (edit)
                mouseClick(edit, {1, 1});
            else if (area && a.kind == A::Kind::ClickAt)
                mouseClick(control, onWidget(p.dialog(), a.id, {a.x, a.y}, *control));
            else
                return why(R::WrongKind, a);
            break;
        case A::Kind::Select: {
            if (!list) return why(R::WrongKind, a);
            if (a.index < 0 || a.index >= list->count()) return why(R::OutOfRange, a);
            list->setCurrentIndex(a.index);
            Q_EMIT list->activated(a.index);
            break;
        }
        default:
            break;
    }
    const auto r = alive ? p.lastResult() : std::optional<R>(R::Done);
    pumpEvents();
    if (!r) return "control " + std::to_string(a.id) + ": the window did not pass the input on";
    return why(*r, a);
}

void ScriptWindows::progressOpen(const ui::ProgressRequest& request) {
    HeadlessServices::progressOpen(request);
    const auto cancel = [this] { cancel_ = true; };
    if (request.kind == ui::ProgressRequest::Kind::Bar) {
        bar_ = std::make_unique<ProgressWindow>(fromUtf8(request.caption), fromUtf8(request.text));
        bar_->cancelButton()->onCancel = cancel;
        bar_->show();
    } else {
        count_ = std::make_unique<CountBox>(fromUtf8(request.text));
        count_->cancelButton()->onCancel = cancel;
        count_->show();
    }
    pumpEvents();
}

void ScriptWindows::progressSet(int value) {
    if (bar_) bar_->setPercent(value);
    if (count_) count_->setCount(value);
    HeadlessServices::progressSet(value);  // may press Cancel at this value
    pumpEvents();
}

void ScriptWindows::progressClose() {
    HeadlessServices::progressClose();
    bar_.reset();
    count_.reset();
    pumpEvents();
}

void ScriptWindows::connectingOpen(const ui::ProgressRequest& request) {
    connecting_ = std::make_unique<ProgressWindow>(fromUtf8(request.caption), fromUtf8(request.text),
                                                   fromUtf8(request.detail));
    connecting_->cancelButton()->onCancel = [this] { cancel_ = true; };
    connecting_->show();
    pumpEvents();
    HeadlessServices::connectingOpen(request);  // may press Cancel at once
}

void ScriptWindows::connectingClose() {
    HeadlessServices::connectingClose();
    connecting_.reset();
    pumpEvents();
}

void ScriptWindows::pressCancel() {
    // The button of the window that shows, as a person clicks it.
    if (connecting_) connecting_->cancelButton()->click();
    if (bar_) bar_->cancelButton()->click();
    if (count_) count_->cancelButton()->click();
    HeadlessServices::pressCancel();
}

}  // namespace appgen::gui
