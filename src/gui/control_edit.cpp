#include "gui/control_edit.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPointer>

#include "project/text.h"

namespace appgen::gui {

class EditView::Box : public QLineEdit {
public:
    Box(int id, std::function<bool(int)> click, QWidget* parent) : QLineEdit(parent), id_(id), click_(std::move(click)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            // The click may end with this box gone.
            QPointer<Box> self(this);
            const bool taken = click_(id_);
            if (!self || taken) return;
        }
        QLineEdit::mousePressEvent(event);
    }

private:
    const int id_;
    std::function<bool(int)> click_;
};

EditView::EditView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent, std::function<bool(int)> click)
    : ControlView(dialog, t.id), edit_(new Box(t.id, std::move(click), parent)) {
    QObject::connect(edit_, &QLineEdit::textEdited, edit_,
                     [this](const QString& text) { typed(text); });
}

QWidget* EditView::widget() { return edit_; }

void EditView::typed(const QString& text) {
    QPointer<Box> self(edit_);
    // The dialog announces the focus moving here before it stores the text;
    // shown then, the old text would put the cursor back in front of what
    // was just typed. The box shows the dialog's state once it has all.
    typing_ = true;
    taken(dialog_.userType(id_, utf8ToCp1251(text.toStdString())));
    if (!self) return;
    typing_ = false;
    // A disabled or closed dialog takes nothing: show what it holds.
    if (const ui::ControlState* c = dialog_.control(id_)) show(*c);
}

void EditView::readBack(ui::ControlState& state) const { state.text = utf8ToCp1251(edit_->text().toStdString()); }

void EditView::show(const ui::ControlState& state) {
    if (typing_) return;
    // Compared as shown, so a character the code page lacks turns into the
    // '?' the dialog keeps.
    const QString text = QString::fromStdString(cp1251ToUtf8(state.text));
    if (edit_->text() == text) return;
    const int cursor = std::min(edit_->cursorPosition(), static_cast<int>(text.size()));
    const bool focused = edit_->hasFocus();
    edit_->setText(text);
    if (focused) edit_->setCursorPosition(cursor);
}

}  // namespace appgen::gui
