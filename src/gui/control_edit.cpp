#include "gui/control_edit.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPointer>

#include "project/text.h"

namespace appgen::gui {

class EditView::Box : public QLineEdit {
public:
    Box(ui::Dialog& dialog, int id, QWidget* parent) : QLineEdit(parent), dialog_(dialog), id_(id) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            QLineEdit::mousePressEvent(event);
            return;
        }
        // The dialog may run a nested modal window from here, which may end
        // with this box gone.
        QPointer<Box> self(this);
        const std::string before = dialog_.text(id_);
        paintedOver = false;
        dialog_.userClick(id_);
        if (!self) return;
        // A hook that painted the box over or changed its text took the click.
        if (paintedOver || before != dialog_.text(id_)) return;
        QLineEdit::mousePressEvent(event);
    }

public:
    // Set when the box was shown painted over, as a hook does while it runs.
    bool paintedOver = false;

private:
    ui::Dialog& dialog_;
    const int id_;
};

EditView::EditView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent)
    : ControlView(dialog, t.id), edit_(new Box(dialog, t.id, parent)) {
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
    dialog_.userType(id_, utf8ToCp1251(text.toStdString()));
    if (!self) return;
    typing_ = false;
    // A disabled or closed dialog takes nothing: show what it holds.
    if (const ui::ControlState* c = dialog_.control(id_)) show(*c);
}

void EditView::show(const ui::ControlState& state) {
    if (state.fill) edit_->paintedOver = true;
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
