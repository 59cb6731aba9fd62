#include "gui/dialog_widgets.h"

#include <QPainter>

#include "gui/control_buttons.h"
#include "gui/control_custom.h"
#include "gui/control_edit.h"
#include "gui/control_list.h"
#include "gui/control_text.h"
#include "gui/dialog_units.h"

namespace appgen::gui {
namespace {

// Covers a control with a solid colour; clicks go through to the control.
class FillCover : public QWidget {
public:
    explicit FillCover(QWidget* control) : QWidget(control) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setColour(ui::Rgb c) {
        colour_ = QColor(c.r, c.g, c.b);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

}  // namespace

std::unique_ptr<ControlView> makeControlView(ui::Dialog& dialog, const ui::ControlTemplate& t, QWidget* parent,
                                             const std::function<bool(int id)>& editClick) {
    switch (t.kind) {
        case ui::ControlKind::Label: return std::make_unique<LabelView>(dialog, t, parent);
        case ui::ControlKind::Edit: return std::make_unique<EditView>(dialog, t, parent, editClick);
        case ui::ControlKind::Button:
        case ui::ControlKind::CheckBox:
        case ui::ControlKind::RadioButton: return std::make_unique<ButtonView>(dialog, t, parent);
        case ui::ControlKind::GroupBox: return std::make_unique<GroupBoxView>(dialog, t, parent);
        case ui::ControlKind::DropDownList: return std::make_unique<ListView>(dialog, t, parent);
        case ui::ControlKind::Custom: return std::make_unique<CustomView>(dialog, t, parent);
        case ui::ControlKind::Icon: return std::make_unique<IconView>(dialog, t, parent);
    }
    return std::make_unique<LabelView>(dialog, t, parent);
}

DialogPanel::DialogPanel(ui::Dialog& dialog, QWidget* parent)
    : QWidget(parent),
      dialog_(dialog),
      font_(dialogFont(dialog.layout().fontName, dialog.layout().fontSize)),
      units_(baseUnits(font_)) {
    setFont(font_);
    const ui::DialogTemplate& layout = dialog.layout();
    setFixedSize(toPixels(layout.width, layout.height, units_));
    for (const ui::ControlTemplate& t : layout.controls) {
        std::unique_ptr<ControlView> view =
            makeControlView(dialog, t, this, [this](int id) {
                if (!sync_) return false;
                last_ = ui::UserResult::Done;  // the box is usable, or it would not take the click
                return sync_->clickEdit(id);
            });
        view->setInputLog(&last_);
        QWidget* w = view->widget();
        w->setGeometry(toPixels(t.rect, units_));
        w->setProperty("controlId", t.id);
        // Group boxes are frames behind the controls they hold.
        if (t.kind == ui::ControlKind::GroupBox) w->lower();
        if (t.id != ui::kNoId) dialog.setPixelSize(t.id, w->width(), w->height());
        views_.push_back(std::move(view));
        fills_.push_back(nullptr);
    }
    sync_ = std::make_unique<ui::DialogSync>(dialog_, static_cast<ui::ControlShower&>(*this));
    refresh();
}

DialogPanel::~DialogPanel() = default;

QWidget* DialogPanel::controlWidget(int id) const {
    if (id == ui::kNoId) return nullptr;
    for (const auto& v : views_)
        if (v->id() == id) return v->widget();
    return nullptr;
}

QWidget* DialogPanel::widgetAt(std::size_t index) const {
    return index < views_.size() ? views_[index]->widget() : nullptr;
}

void DialogPanel::refresh() { sync_->refresh(); }

std::vector<ui::ControlState> DialogPanel::readBack() const {
    std::vector<ui::ControlState> out = dialog_.controls();
    for (ui::ControlState& c : out) {
        if (c.id == ui::kNoId) continue;
        for (const auto& v : views_) {
            if (v->id() != c.id) continue;
            const QWidget* w = v->widget();
            c.enabled = w->isEnabledTo(this);
            c.visible = w->isVisibleTo(this);
            v->readBack(c);
            break;
        }
    }
    return out;
}

void DialogPanel::dialogEnded() {
    if (onEnded) onEnded();
}

void DialogPanel::showControl(std::size_t index, const ui::ControlState& state) {
    QWidget* w = views_[index]->widget();
    views_[index]->show(state);
    if (w->isEnabled() != state.enabled) w->setEnabled(state.enabled);
    if (w->isVisibleTo(this) != state.visible) w->setVisible(state.visible);
    showFill(index, state);
}

void DialogPanel::showFill(std::size_t index, const ui::ControlState& state) {
    QWidget*& fill = fills_[index];
    if (!state.fill) {
        if (fill) fill->hide();
        return;
    }
    if (!fill) fill = new FillCover(views_[index]->widget());
    static_cast<FillCover*>(fill)->setColour(*state.fill);
    fill->setGeometry(views_[index]->widget()->rect());
    fill->show();
    fill->raise();
}

void DialogPanel::focusControl(int id) {
    if (QWidget* w = controlWidget(id)) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace appgen::gui
