// A running dialog: the state of its controls, kept by id, and the rules by
// which changes notify its handler. The program side (handlers) sets and reads
// state; the user side (the GUI, scripts, tests) types, clicks and selects.
// The notifications follow the windowing rules the dialogs were written for:
// setting an edit's text notifies a change exactly as typing does, also from
// inside the handler of that change; a click on a plain check box or radio
// button only notifies, and the handler sets its state; choosing a list entry
// notifies, selecting one from the program does not.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/dialog_template.h"
#include "ui/paint.h"

namespace appgen::ui {

struct ControlState {
    int id = kNoId;
    ControlKind kind = ControlKind::Label;
    unsigned style = 0;
    std::string text;  // Windows-1251; a group box's caption, a label's text
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<std::string> items;  // drop-down list entries, Windows-1251
    int selected = -1;               // -1: nothing selected
    std::optional<Rgb> fill;         // painted as a solid rectangle instead of itself
    int pixelWidth = 0;              // client size, for hit tests and painting
    int pixelHeight = 0;
};

enum class Notify {
    Clicked,     // button, check box, radio button; a custom control with a point
    Changed,     // an edit's text changed, typed or set
    SelChanged,  // the user chose a list entry
};

struct Notification {
    int id = kNoId;
    Notify code = Notify::Clicked;
    int x = 0;  // custom control clicks: client point in pixels
    int y = 0;
};

// Why a user action was not taken.
enum class UserResult { Done, NoSuchControl, WrongKind, Disabled, Hidden, OutOfRange, Closed };
const char* describe(UserResult r);

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

class Dialog;

class DialogHandler {
public:
    virtual ~DialogHandler() = default;
    // Once, before the user sees the dialog: fill lists and boxes.
    virtual void init(Dialog&) {}
    // Every notification except OK and Cancel of a modal dialog.
    virtual void command(Dialog&, const Notification&) {}
    // Button 1 or Enter; button 2, Esc or closing the window.
    virtual void ok(Dialog& d);
    virtual void cancel(Dialog& d);
};

// Pixels per dialog unit come from the dialog font: 4 horizontal and 8
// vertical units per average character cell.
struct DialogBaseUnits {
    int x = 6;   // average character width, pixels
    int y = 13;  // character height, pixels
};

class Dialog {
public:
    enum class Role {
        Modal,  // buttons 1 and 2 are OK and Cancel
        Page,   // a property sheet page: the sheet has OK and Cancel
    };

    Dialog(const DialogTemplate& layout, DialogHandler& handler, Role role = Role::Modal,
           DialogBaseUnits units = {});
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const DialogTemplate& layout() const { return layout_; }
    const std::string& name() const { return layout_.name; }
    Role role() const { return role_; }

    // Runs the handler's init once; the host calls it when the dialog is shown.
    void start();
    bool started() const { return started_; }
    // Closes the dialog with a result (what the modal run returns).
    void end(int result);
    bool ended() const { return ended_; }
    int result() const { return result_; }

    // --- program side -----------------------------------------------------
    std::string text(int id) const;
    // At most maxChars characters, as reading into a buffer of maxChars + 1.
    std::string text(int id, std::size_t maxChars) const;
    void setText(int id, std::string_view bytes);
    // The text as an unsigned decimal number: leading and trailing blanks
    // allowed, nothing else; nothing when it is not one. A number too large
    // for 32 bits reads as kNumberTooLarge, so that every box with a bound
    // treats it as a number above it (kept or capped), never as "not a number".
    std::optional<unsigned> number(int id) const;
    // True when the text is a number too large for 32 bits; boxes that store
    // the low byte of any number keep what they have for it.
    bool numberTooLarge(int id) const;
    void setNumber(int id, unsigned value);

    bool enabled(int id) const;
    void enable(int id, bool on);
    bool visible(int id) const;
    void show(int id, bool on);
    bool checked(int id) const;
    void check(int id, bool on);

    void setItems(int id, std::vector<std::string> items);  // clears the selection
    void addItem(int id, std::string item);
    int itemCount(int id) const;
    int selection(int id) const;
    // An index outside the list clears the selection.
    void select(int id, int index);

    void setFill(int id, std::optional<Rgb> fill);
    void setFocus(int id);
    int focus() const { return focus_; }

    // --- user side --------------------------------------------------------
    UserResult userType(int id, std::string_view bytes);
    UserResult userClick(int id);
    UserResult userClickAt(int id, int x, int y);
    UserResult userSelect(int id, int index);
    UserResult userOk();
    UserResult userCancel();

    // A hook that sees clicks on a control before it does (a subclassed edit).
    // It returns true when it took the click.
    using ClickHook = std::function<bool(Dialog&, int id)>;
    void hookClick(int id, ClickHook hook);

    // --- hosts ------------------------------------------------------------
    const std::vector<ControlState>& controls() const { return controls_; }
    const ControlState* control(int id) const;
    void setPixelSize(int id, int width, int height);

    using Painter = std::function<PaintList(int width, int height)>;
    void setPainter(int id, Painter painter);
    PaintList paint(int id) const;
    // Asks the view to paint a control again.
    void invalidate(int id) { changed(id); }

    // Called after every change of a control's state (kNoId: the dialog closed).
    std::function<void(int id)> onChanged;

private:
    ControlState* find(int id);
    UserResult usable(const ControlState* c) const;
    void changed(int id) {
        if (onChanged) onChanged(id);
    }
    void notify(const Notification& n);
    void checkRadioInGroup(int id);

    const DialogTemplate& layout_;
    DialogHandler& handler_;
    Role role_;
    std::vector<ControlState> controls_;
    std::vector<std::pair<int, ClickHook>> hooks_;
    std::vector<std::pair<int, Painter>> painters_;
    bool started_ = false;
    bool ended_ = false;
    int result_ = 0;
    int focus_ = kNoId;
    int depth_ = 0;  // nesting of notifications
};

// What a number too large for 32 bits reads as.
inline constexpr unsigned kNumberTooLarge = 0xFFFFFFFFu;

// Parses text the way number() does.
std::optional<unsigned> parseDialogNumber(std::string_view text);
bool dialogNumberTooLarge(std::string_view text);

}  // namespace appgen::ui
