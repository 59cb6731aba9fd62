#include "editor/menu_page.h"

#include <algorithm>
#include <cstring>

#include "editor/dialog_fields.h"
#include "editor/editor_lists.h"
#include "project/text.h"

namespace appgen::editor {
namespace {

enum : int {
    kMenuChoice = 690,
    kFont = 691,
    kEscTarget = 692,
    kTitleOn = 101,
    kSaveTitle = 102,
    kSaveItem = 103,
    kSendOn = 104,
    kSeparateFiles = 105,
    kResetButton = 201,
    kItemText = 501,  // + item
    kTitle = 591,
    kItemTarget = 601,  // + item
};

constexpr int kTitleLimit = 20;
constexpr std::size_t kTitleRead = 34;
constexpr std::size_t kItemRead = 24;

int itemOf(int id, int base) { return id >= base && id < base + kMenuItems ? id - base : -1; }

int limitFor(const MenuDef& m) { return m.font != 0 ? 15 : 20; }

List menuNameList() {
    List out;
    for (int n = 1; n <= kMenuCount; ++n) out.push_back(cp("меню  ") + std::to_string(n));
    return out;
}

}  // namespace

const PageControls& MenuPage::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kMenuChoice, K::DropDownList}, {kFont, K::DropDownList},
                          {kEscTarget, K::DropDownList},  {kTitleOn, K::CheckBox},
                          {kSaveTitle, K::CheckBox},      {kSaveItem, K::CheckBox},
                          {kSendOn, K::CheckBox},         {kSeparateFiles, K::CheckBox},
                          {kResetButton, K::Button},      {kTitle, K::Edit}};
        for (int k = 0; k < kMenuItems; ++k) {
            c.insert(c.end(), {{kItemText + k, K::Edit}, {kItemTarget + k, K::DropDownList}});
        }
        return c;
    }();
    return list;
}

void MenuPage::init(ui::Dialog& d) {
    separateFiles_ = ws_.project.terminal.separateFiles;
    std::memcpy(work_, ws_.project.menus, sizeof work_);
    d.setItems(kMenuChoice, menuNameList());
    d.setItems(kFont, fontList());
    d.setItems(kEscTarget, targetList());
    for (int k = 0; k < kMenuItems; ++k) d.setItems(kItemTarget + k, targetList());
    current_ = 0;
    fill(d);
}

void MenuPage::fill(ui::Dialog& d) {
    const MenuDef& m = menu();
    // The limit comes first: each box's change handler cuts what it is given.
    itemLimit_ = limitFor(m);
    d.select(kMenuChoice, current_);
    d.select(kFont, m.font);
    d.select(kEscTarget, m.escTarget);
    d.setText(kTitle, slotText(menu().title));
    d.check(kTitleOn, m.titleOn != 0);
    d.enable(kTitle, m.titleOn != 0);
    for (int k = 0; k < kMenuItems; ++k) {
        d.setText(kItemText + k, slotText(menu().itemText[k]));
        d.select(kItemTarget + k, m.itemTarget[k]);
    }
    d.check(kSaveTitle, m.saveTitle != 0);
    d.check(kSaveItem, m.saveItem != 0);
    d.check(kSendOn, m.sendOn != 0);
    d.check(kSeparateFiles, separateFiles_ != 0);
    sendOnRule(d);
}

// With separate files the terminal passes on whatever the menu saves; without
// them passing on is the operator's choice, and only when something is saved.
void MenuPage::sendOnRule(ui::Dialog& d) {
    MenuDef& m = menu();
    const bool saves = m.saveTitle != 0 || m.saveItem != 0;
    if (separateFiles_ != 0) {
        m.sendOn = saves ? 1 : 0;
        d.enable(kSendOn, false);
    } else if (!saves) {
        m.sendOn = 0;
        d.enable(kSendOn, false);
    } else {
        d.enable(kSendOn, true);
    }
    d.check(kSendOn, m.sendOn != 0);
}

void MenuPage::titleChanged(ui::Dialog& d) {
    std::string t = d.text(kTitle, kTitleRead);
    if (t.size() > static_cast<std::size_t>(kTitleLimit)) {
        t.resize(kTitleLimit);
        d.setText(kTitle, t);
    }
    setSlotText(menu().title, t);
}

void MenuPage::itemChanged(ui::Dialog& d, int k) {
    const std::string t = d.text(kItemText + k, kItemRead);
    if (static_cast<int>(t.size()) > itemLimit_)
        d.setText(kItemText + k, t.substr(0, static_cast<std::size_t>(itemLimit_)));
    else
        setSlotText(menu().itemText[k], t);
}

void MenuPage::command(ui::Dialog& d, const ui::Notification& n) {
    MenuDef& m = menu();
    if (n.code == ui::Notify::SelChanged) {
        const int index = d.selection(n.id);
        if (index < 0) return;
        const auto code = static_cast<u8>(index);
        switch (n.id) {
            case kMenuChoice:
                current_ = index;
                fill(d);
                return;
            case kFont:
                m.font = code;
                itemLimit_ = limitFor(m);
                return;
            case kEscTarget: m.escTarget = code; return;
            default: break;
        }
        if (const int k = itemOf(n.id, kItemTarget); k >= 0) m.itemTarget[k] = code;
    } else if (n.code == ui::Notify::Changed) {
        if (n.id == kTitle) titleChanged(d);
        if (const int k = itemOf(n.id, kItemText); k >= 0) itemChanged(d, k);
    } else if (n.code == ui::Notify::Clicked) {
        switch (n.id) {
            case kTitleOn: d.enable(kTitle, toggleCheck(d, kTitleOn, m.titleOn)); break;
            case kSaveTitle:
                toggleCheck(d, kSaveTitle, m.saveTitle);
                sendOnRule(d);
                break;
            case kSaveItem:
                toggleCheck(d, kSaveItem, m.saveItem);
                sendOnRule(d);
                break;
            case kSendOn: toggleCheck(d, kSendOn, m.sendOn); break;
            case kSeparateFiles:
                toggleCheck(d, kSeparateFiles, separateFiles_);
                sendOnRule(d);
                break;
            case kResetButton:
                for (MenuDef& each : work_) resetMenu(each);
                separateFiles_ = 0;
                current_ = 0;
                fill(d);
                break;
            default: break;
        }
    }
}

void MenuPage::apply(ui::Dialog&) {
    std::memcpy(ws_.project.menus, work_, sizeof work_);
    ws_.project.terminal.separateFiles = separateFiles_;
}

}  // namespace appgen::editor
