#include "ui/dialog_json.h"

#include <cstdio>

#include "project/text.h"

namespace appgen::ui {
namespace {

void key(std::string& out, const char* name) {
    out += '"';
    out += name;
    out += "\":";
}

void boolean(std::string& out, bool v) { out += v ? "true" : "false"; }

}  // namespace

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string dialogStateJson(const Dialog& dialog) {
    return dialogStateJson(dialog.name(), dialog.controls());
}

std::string dialogStateJson(const std::string& name, const std::vector<ControlState>& controls) {
    std::string out = "{\"dialog\":" + jsonString(name) + ",\"controls\":{";
    bool first = true;
    for (const ControlState& c : controls) {
        if (c.id == kNoId) continue;
        if (!first) out += ',';
        first = false;
        out += '"' + std::to_string(c.id) + "\":{";
        if (c.kind != ControlKind::DropDownList) {
            key(out, "text");
            out += jsonString(cp1251ToUtf8(c.text));
            out += ',';
        }
        key(out, "enabled");
        boolean(out, c.enabled);
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
            out += ',';
            key(out, "checked");
            boolean(out, c.checked);
        }
        if (c.kind == ControlKind::DropDownList) {
            out += ',';
            key(out, "items");
            out += '[';
            for (std::size_t i = 0; i < c.items.size(); ++i) {
                if (i) out += ',';
                out += jsonString(cp1251ToUtf8(c.items[i]));
            }
            out += "],";
            key(out, "selected");
            out += std::to_string(c.selected);
        }
        if (!c.visible) {
            out += ',';
            key(out, "visible");
            boolean(out, false);
        }
        out += '}';
    }
    out += "}}";
    return out;
}

}  // namespace appgen::ui
