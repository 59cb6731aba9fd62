#include "ui/dialog_template.h"

namespace appgen::ui {

const ControlTemplate* DialogTemplate::control(int id) const {
    if (id == kNoId) return nullptr;
    for (const auto& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

const DialogTemplate* TemplateLibrary::find(std::string_view name) const {
    for (const auto& t : templates_)
        if (t.name == name) return &t;
    return nullptr;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label: return "label";
        case ControlKind::Edit: return "edit";
        case ControlKind::Button: return "button";
        case ControlKind::CheckBox: return "check box";
        case ControlKind::RadioButton: return "radio button";
        case ControlKind::GroupBox: return "group box";
        case ControlKind::DropDownList: return "drop-down list";
        case ControlKind::Custom: return "custom control";
        case ControlKind::Icon: return "icon";
    }
    return "control";
}

}  // namespace appgen::ui
