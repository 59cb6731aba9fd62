// What drives modal dialogs when nobody sits at the screen: a source of user
// actions for the topmost dialog or property sheet. The headless services pull
// from it in their nested modal loops, as a modal message loop pulls messages.
#pragma once

#include <string>

namespace appgen::ui {

struct ScriptAction {
    enum class Kind {
        Type,     // the user replaces the text of edit `id` with `text`
        Click,    // the user clicks control `id`
        ClickAt,  // the user clicks control `id` at client point (x, y)
        Select,   // the user chooses entry `index` of drop-down list `id`
        Ok,       // OK of the topmost dialog or sheet
        Cancel,   // Cancel of the topmost dialog or sheet
        Page,     // show page `index` of the sheet, or the page whose template is `text`
        Dump,     // report the state of the topmost dialog (RecordedEvent::Kind::Dump)
        End,      // no more input: every open dialog is destroyed with result 0
    } kind = Kind::End;
    int id = 0;
    std::string text{};  // Type: Windows-1251 bytes; Page: template name when not empty
    int x = 0;
    int y = 0;
    int index = 0;

    static ScriptAction type(int id, std::string bytes) { return {Kind::Type, id, std::move(bytes)}; }
    static ScriptAction click(int id) { return {Kind::Click, id}; }
    static ScriptAction clickAt(int id, int x, int y) { return {Kind::ClickAt, id, {}, x, y}; }
    static ScriptAction select(int id, int index) { return {Kind::Select, id, {}, 0, 0, index}; }
    static ScriptAction ok() { return {Kind::Ok}; }
    static ScriptAction cancel() { return {Kind::Cancel}; }
    static ScriptAction page(int index) { return {Kind::Page, 0, {}, 0, 0, index}; }
    static ScriptAction page(std::string templateName) { return {Kind::Page, 0, std::move(templateName)}; }
    static ScriptAction dump() { return {Kind::Dump}; }
    static ScriptAction end() { return {Kind::End}; }
};

class ScriptSource {
public:
    virtual ~ScriptSource() = default;
    // The next action for the topmost window. Input that does not address it
    // (answers to message boxes, file names, timer ticks) is the source's own
    // business before it returns.
    virtual ScriptAction next() = 0;
    // The topmost window could not take the action; `why` says what was wrong.
    virtual void rejected(const ScriptAction& action, const std::string& why) {
        (void)action;
        (void)why;
    }
};

}  // namespace appgen::ui
