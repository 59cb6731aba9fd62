#include "win32/dialog_template_builder.h"

#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace appgen::win32 {
namespace {

// The predefined classes of dialog items, by atom.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kComboBoxAtom = 0x0085;

constexpr WORD kIconResource = 1;  // the program's icon in appgen.rc

class Writer {
public:
    void word(WORD w) { words_.push_back(w); }
    void dword(DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const std::wstring& s) {
        for (const wchar_t c : s) word(static_cast<WORD>(c));
        word(0);
    }
    void alignDword() {
        if (words_.size() % 2) word(0);
    }
    std::vector<DWORD> finish() {
        alignDword();
        std::vector<DWORD> out(words_.size() / 2);
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = MAKELONG(words_[2 * i], words_[2 * i + 1]);
        return out;
    }

private:
    std::vector<WORD> words_;
};

struct ItemClass {
    WORD atom = 0;            // 0: the name below
    const wchar_t* name = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// Check boxes and radio buttons are the plain kinds: the dialog decides
// their state, the window only shows it.
ItemClass classOf(const ui::ControlTemplate& c) {
    using K = ui::ControlKind;
    switch (c.kind) {
        case K::Label: {
            DWORD align = c.has(ui::kStyleCentre) ? SS_CENTER : c.has(ui::kStyleRight) ? SS_RIGHT : SS_LEFT;
            return {kStaticAtom, nullptr, align, 0};
        }
        case K::Edit:
            return {kEditAtom, nullptr, ES_AUTOHSCROLL | ES_LEFT | WS_BORDER | WS_TABSTOP | WS_GROUP, 0};
        case K::Button:
            return {kButtonAtom, nullptr,
                    DWORD(c.has(ui::kStyleDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP | WS_GROUP, 0};
        case K::CheckBox: return {kButtonAtom, nullptr, BS_CHECKBOX | WS_TABSTOP | WS_GROUP, 0};
        case K::RadioButton:
            return {kButtonAtom, nullptr,
                    BS_RADIOBUTTON | (c.has(ui::kStyleGroup) ? DWORD(WS_GROUP | WS_TABSTOP) : 0u), 0};
        case K::GroupBox: return {kButtonAtom, nullptr, BS_GROUPBOX, 0};
        case K::DropDownList:
            return {kComboBoxAtom, nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0};
        case K::Custom: return {0, kPaintAreaClass, 0, 0};
        case K::Icon: return {kStaticAtom, nullptr, SS_ICON, 0};
    }
    return {kStaticAtom, nullptr, SS_LEFT, 0};
}

}  // namespace

std::vector<DWORD> buildDialogTemplate(const ui::DialogTemplate& layout, TemplateRole role) {
    Writer w;
    const DWORD style = role == TemplateRole::Modal
                            ? DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU
                            : DS_SETFONT | DS_3DLOOK | DS_CONTROL | WS_CHILD | WS_CAPTION;
    w.word(1);       // dlgVer
    w.word(0xFFFF);  // signature: the extended template
    w.dword(0);      // helpID
    w.dword(role == TemplateRole::Page ? WS_EX_CONTROLPARENT : 0);
    w.dword(style);
    w.word(static_cast<WORD>(layout.controls.size()));
    w.word(0);
    w.word(0);
    w.word(static_cast<WORD>(layout.width));
    w.word(static_cast<WORD>(layout.height));
    w.word(0);  // no menu
    w.word(0);  // the predefined dialog class
    w.text(wideFromCp1251(layout.caption));
    w.word(static_cast<WORD>(layout.fontSize));
    w.word(FW_NORMAL);
    w.word(MAKEWORD(FALSE, RUSSIAN_CHARSET));  // italic, charset: the texts are Russian
    w.text(wideFromCp1251(layout.fontName));

    for (const ui::ControlTemplate& c : layout.controls) {
        const ItemClass k = classOf(c);
        DWORD itemStyle = WS_CHILD | k.style;
        if (!c.has(ui::kStyleHidden)) itemStyle |= WS_VISIBLE;
        if (c.has(ui::kStyleDisabled)) itemStyle |= WS_DISABLED;
        const int height = c.kind == ui::ControlKind::DropDownList ? c.rect.height + kDropDownListHeight
                                                                   : c.rect.height;
        w.alignDword();
        w.dword(0);  // helpID
        w.dword(k.exStyle | (c.kind == ui::ControlKind::Edit ? WS_EX_CLIENTEDGE : 0));
        w.dword(itemStyle);
        w.word(static_cast<WORD>(c.rect.x));
        w.word(static_cast<WORD>(c.rect.y));
        w.word(static_cast<WORD>(c.rect.width));
        w.word(static_cast<WORD>(height));
        w.dword(static_cast<DWORD>(c.id));  // kNoId is the resources' -1
        if (k.atom) {
            w.word(0xFFFF);
            w.word(k.atom);
        } else {
            w.text(k.name);
        }
        if (c.kind == ui::ControlKind::Icon) {
            w.word(0xFFFF);
            w.word(kIconResource);
        } else {
            w.text(wideFromCp1251(c.text));
        }
        w.word(0);  // no creation data
    }
    return w.finish();
}

}  // namespace appgen::win32
