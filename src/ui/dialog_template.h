// Dialog templates as data: what a dialog resource holds, read from the text
// resource in resources/dialogs.rc. Coordinates are dialog units; texts are
// Windows-1251 bytes, as the running dialog keeps them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace appgen::ui {

enum class ControlKind {
    Label,         // static text
    Edit,          // single-line edit box
    Button,        // push button
    CheckBox,
    RadioButton,
    GroupBox,
    DropDownList,  // combo box that only picks from its list
    Custom,        // static the program paints itself and that reports clicks with a point
    Icon,          // the program's icon
};

enum ControlStyle : unsigned {
    kStyleDefault = 1u << 0,   // default push button, pressed by Enter
    kStyleDisabled = 1u << 1,  // starts disabled
    kStyleHidden = 1u << 2,    // starts hidden
    kStyleGroup = 1u << 3,     // starts a group of radio buttons
    kStyleAuto = 1u << 4,      // check box or radio button that sets itself when clicked
    kStyleCentre = 1u << 5,    // centred label text
    kStyleRight = 1u << 6,     // right-aligned label text
};

inline constexpr int kNoId = -1;  // a control the program never addresses

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool contains(const DialogRect& r) const {
        return r.x >= x && r.y >= y && r.right() <= right() && r.bottom() <= bottom();
    }
    bool overlaps(const DialogRect& r) const {
        return r.x < right() && x < r.right() && r.y < bottom() && y < r.bottom();
    }
};

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Label;
    std::string text;  // Windows-1251
    DialogRect rect;   // a drop-down list's height is that of its closed field
    unsigned style = 0;

    bool has(unsigned s) const { return (style & s) != 0; }
};

struct DialogTemplate {
    std::string name;     // "FORMDLG"
    std::string caption;  // Windows-1251; a page's caption is its tab text
    std::string fontName;
    int fontSize = 8;
    int width = 0;
    int height = 0;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int id) const;
};

class TemplateLibrary {
public:
    explicit TemplateLibrary(std::vector<DialogTemplate> templates)
        : templates_(std::move(templates)) {}

    const DialogTemplate* find(std::string_view name) const;
    const std::vector<DialogTemplate>& all() const { return templates_; }

private:
    std::vector<DialogTemplate> templates_;
};

const char* kindName(ControlKind kind);

}  // namespace appgen::ui
