#include "ui/dialog.h"

#include <algorithm>
#include <cstdint>

namespace appgen::ui {
namespace {

// A handler that keeps setting the text it is told about would never return;
// the windowing system would overflow its stack, we stop passing it on.
constexpr int kMaxNotifyDepth = 32;

int mulDiv(int a, int b, int c) { return (a * b + c / 2) / c; }

}  // namespace

const char* describe(UserResult r) {
    switch (r) {
        case UserResult::Done: return "done";
        case UserResult::NoSuchControl: return "no such control";
        case UserResult::WrongKind: return "the control does not take this action";
        case UserResult::Disabled: return "the control is disabled";
        case UserResult::Hidden: return "the control is hidden";
        case UserResult::OutOfRange: return "no such entry";
        case UserResult::Closed: return "the dialog is closed";
    }
    return "?";
}

void DialogHandler::ok(Dialog& d) { d.end(1); }
void DialogHandler::cancel(Dialog& d) { d.end(0); }

namespace {

struct ParsedNumber {
    std::optional<unsigned> value;
    bool tooLarge = false;
};

ParsedNumber parseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    bool tooLarge = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > kNumberTooLarge) {
            tooLarge = true;
            value = kNumberTooLarge;  // stays there, whatever digits follow
        }
        ++i;
        ++digits;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (digits == 0 || i != text.size()) return {};
    return {static_cast<unsigned>(value), tooLarge};
}

}  // namespace

std::optional<unsigned> parseDialogNumber(std::string_view text) { return parseNumber(text).value; }

bool dialogNumberTooLarge(std::string_view text) { return parseNumber(text).tooLarge; }

Dialog::Dialog(const DialogTemplate& layout, DialogHandler& handler, Role role,
               DialogBaseUnits units)
    : layout_(layout), handler_(handler), role_(role) {
    controls_.reserve(layout.controls.size());
    for (const auto& t : layout.controls) {
        ControlState c;
        c.id = t.id;
        c.kind = t.kind;
        c.style = t.style;
        c.text = t.text;
        c.enabled = !t.has(kStyleDisabled);
        c.visible = !t.has(kStyleHidden);
        c.pixelWidth = mulDiv(t.rect.width, units.x, 4);
        c.pixelHeight = mulDiv(t.rect.height, units.y, 8);
        controls_.push_back(std::move(c));
    }
}

void Dialog::start() {
    if (started_) return;
    started_ = true;
    handler_.init(*this);
}

void Dialog::end(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
    changed(kNoId);
}

ControlState* Dialog::find(int id) {
    if (id == kNoId) return nullptr;
    for (auto& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

const ControlState* Dialog::control(int id) const { return const_cast<Dialog*>(this)->find(id); }

std::string Dialog::text(int id) const {
    const ControlState* c = control(id);
    return c ? c->text : std::string{};
}

std::string Dialog::text(int id, std::size_t maxChars) const {
    std::string t = text(id);
    if (t.size() > maxChars) t.resize(maxChars);
    return t;
}

void Dialog::setText(int id, std::string_view bytes) {
    ControlState* c = find(id);
    if (!c) return;
    c->text.assign(bytes);
    changed(id);
    if (c->kind == ControlKind::Edit) notify({id, Notify::Changed});
}

std::optional<unsigned> Dialog::number(int id) const { return parseDialogNumber(text(id)); }

bool Dialog::numberTooLarge(int id) const { return dialogNumberTooLarge(text(id)); }

void Dialog::setNumber(int id, unsigned value) { setText(id, std::to_string(value)); }

bool Dialog::enabled(int id) const {
    const ControlState* c = control(id);
    return c && c->enabled;
}

void Dialog::enable(int id, bool on) {
    if (ControlState* c = find(id); c && c->enabled != on) {
        c->enabled = on;
        changed(id);
    }
}

bool Dialog::visible(int id) const {
    const ControlState* c = control(id);
    return c && c->visible;
}

void Dialog::show(int id, bool on) {
    if (ControlState* c = find(id); c && c->visible != on) {
        c->visible = on;
        changed(id);
    }
}

bool Dialog::checked(int id) const {
    const ControlState* c = control(id);
    return c && c->checked;
}

void Dialog::check(int id, bool on) {
    if (ControlState* c = find(id); c && c->checked != on) {
        c->checked = on;
        changed(id);
    }
}

void Dialog::setItems(int id, std::vector<std::string> items) {
    if (ControlState* c = find(id)) {
        c->items = std::move(items);
        c->selected = -1;
        changed(id);
    }
}

void Dialog::addItem(int id, std::string item) {
    if (ControlState* c = find(id)) {
        c->items.push_back(std::move(item));
        changed(id);
    }
}

int Dialog::itemCount(int id) const {
    const ControlState* c = control(id);
    return c ? static_cast<int>(c->items.size()) : 0;
}

int Dialog::selection(int id) const {
    const ControlState* c = control(id);
    return c ? c->selected : -1;
}

void Dialog::select(int id, int index) {
    if (ControlState* c = find(id)) {
        c->selected = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
        changed(id);
    }
}

void Dialog::setFill(int id, std::optional<Rgb> fill) {
    if (ControlState* c = find(id)) {
        c->fill = fill;
        changed(id);
    }
}

void Dialog::setFocus(int id) {
    if (focus_ == id) return;
    focus_ = id;
    changed(id);
}

void Dialog::notify(const Notification& n) {
    if (depth_ >= kMaxNotifyDepth) return;
    ++depth_;
    const bool isButton = n.code == Notify::Clicked && role_ == Role::Modal;
    if (isButton && n.id == kIdOk)
        handler_.ok(*this);
    else if (isButton && n.id == kIdCancel)
        handler_.cancel(*this);
    else
        handler_.command(*this, n);
    --depth_;
}

UserResult Dialog::usable(const ControlState* c) const {
    if (ended_) return UserResult::Closed;
    if (!c) return UserResult::NoSuchControl;
    if (!c->visible) return UserResult::Hidden;
    if (!c->enabled) return UserResult::Disabled;
    return UserResult::Done;
}

UserResult Dialog::userType(int id, std::string_view bytes) {
    ControlState* c = find(id);
    if (const UserResult r = usable(c); r != UserResult::Done) return r;
    if (c->kind != ControlKind::Edit) return UserResult::WrongKind;
    // The text is stored before anything is announced: a view that redraws
    // on the focus change must already see what was typed.
    c->text.assign(bytes);
    focus_ = id;
    changed(id);
    notify({id, Notify::Changed});
    return UserResult::Done;
}

void Dialog::checkRadioInGroup(int id) {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [id](const ControlState& c) { return c.id == id; });
    auto first = it;
    while (first != controls_.begin() && !(first->style & kStyleGroup)) --first;
    auto last = it + 1;
    while (last != controls_.end() && !(last->style & kStyleGroup)) ++last;
    for (auto c = first; c != last; ++c)
        if (c->kind == ControlKind::RadioButton && (c->style & kStyleAuto)) check(c->id, c == it);
}

UserResult Dialog::userClick(int id) {
    ControlState* c = find(id);
    if (const UserResult r = usable(c); r != UserResult::Done) return r;
    switch (c->kind) {
        case ControlKind::Button:
            break;
        case ControlKind::CheckBox:
            if (c->style & kStyleAuto) check(id, !c->checked);
            break;
        case ControlKind::RadioButton:
            if (c->style & kStyleAuto) checkRadioInGroup(id);
            break;
        case ControlKind::Edit: {
            ClickHook hook;  // a copy: the hook may replace itself while it runs
            for (const auto& [hid, h] : hooks_)
                if (hid == id) hook = h;
            if (hook && hook(*this, id)) return UserResult::Done;
            setFocus(id);
            return UserResult::Done;
        }
        default:
            return UserResult::WrongKind;
    }
    setFocus(id);
    notify({id, Notify::Clicked});
    return UserResult::Done;
}

UserResult Dialog::userClickAt(int id, int x, int y) {
    ControlState* c = find(id);
    if (const UserResult r = usable(c); r != UserResult::Done) return r;
    if (c->kind != ControlKind::Custom) return userClick(id);
    notify({id, Notify::Clicked, x, y});
    return UserResult::Done;
}

UserResult Dialog::userSelect(int id, int index) {
    ControlState* c = find(id);
    if (const UserResult r = usable(c); r != UserResult::Done) return r;
    if (c->kind != ControlKind::DropDownList) return UserResult::WrongKind;
    if (index < 0 || index >= static_cast<int>(c->items.size())) return UserResult::OutOfRange;
    setFocus(id);
    c->selected = index;
    changed(id);
    notify({id, Notify::SelChanged});
    return UserResult::Done;
}

UserResult Dialog::userOk() {
    if (ended_) return UserResult::Closed;
    if (role_ != Role::Modal) return UserResult::WrongKind;
    notify({kIdOk, Notify::Clicked});
    return UserResult::Done;
}

UserResult Dialog::userCancel() {
    if (ended_) return UserResult::Closed;
    if (role_ != Role::Modal) return UserResult::WrongKind;
    notify({kIdCancel, Notify::Clicked});
    return UserResult::Done;
}

void Dialog::hookClick(int id, ClickHook hook) {
    for (auto& [hid, h] : hooks_)
        if (hid == id) {
            h = std::move(hook);
            return;
        }
    hooks_.emplace_back(id, std::move(hook));
}

void Dialog::setPixelSize(int id, int width, int height) {
    if (ControlState* c = find(id)) {
        c->pixelWidth = width;
        c->pixelHeight = height;
        changed(id);
    }
}

void Dialog::setPainter(int id, Painter painter) {
    for (auto& [pid, p] : painters_)
        if (pid == id) {
            p = std::move(painter);
            return;
        }
    painters_.emplace_back(id, std::move(painter));
}

PaintList Dialog::paint(int id) const {
    const ControlState* c = control(id);
    if (!c) return {};
    for (const auto& [pid, p] : painters_)
        if (pid == id && p) return p(c->pixelWidth, c->pixelHeight);
    return {};
}

}  // namespace appgen::ui
