#include "editor/startup_page.h"

#include <string>

#include "editor/editor_lists.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen::editor {
namespace {

enum : int {
    kBigFont = 101,
    kImportButton = 201,
    kDefaultsButton = 202,
    kDefaultText = 411,  // + row
    kCode = 501,         // + separator 0..1
    kCharacter = 503,    // + separator 0..1
    kRowEdit = 511,      // + row
    kSeparatorCount = 601,
    kGroupList = 610,
    kStartWith = 690,
};

constexpr u8 kDefaultSeparator = ',';
constexpr int kUtilitiesGroup = 1;

std::string characterText(u8 code) { return code ? std::string(1, static_cast<char>(code)) : ""; }

// The labels whose ampersand would otherwise mark a mnemonic.
std::string defaultLabel(int group, int r, bool bigFont) {
    if (group == kUtilitiesGroup) {
        if (bigFont && r == 4) return "5.Set Date&&Time";
        if (!bigFont && r == 4) return "5. Set Date && Time";
        if (!bigFont && r == 6) return "7. Memory && Power";
    }
    return std::string(defaultMessage(group, r, bigFont));
}

}  // namespace

const PageControls& StartupPage::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kBigFont, K::CheckBox},       {kImportButton, K::Button},
                          {kDefaultsButton, K::Button},  {kSeparatorCount, K::DropDownList},
                          {kGroupList, K::DropDownList}, {kStartWith, K::DropDownList}};
        for (int s = 0; s < 2; ++s) {  // two separators
            c.insert(c.end(), {{kCode + s, K::Edit}, {kCharacter + s, K::Edit}});
        }
        for (int r = 0; r < kTextRows; ++r) {
            c.insert(c.end(), {{kDefaultText + r, K::Label}, {kRowEdit + r, K::Edit}});
        }
        return c;
    }();
    return list;
}

void StartupPage::init(ui::Dialog& d) {
    bigFont_ = ws_.project.terminal.bigFont != 0;
    d.setItems(kStartWith, {cp("форма 1"), cp("меню 1")});
    d.setItems(kSeparatorCount, {cp("нет"), cp(" 1 "), cp(" 2 ")});
    d.check(kBigFont, bigFont_);
    echoing_ = false;
    textsDirty_ = false;
    currentGroup_ = 0;
    fillGroupList(d);

    const TerminalSettings& t = ws_.project.terminal;
    separatorCount_ = t.separator1 == 0 ? 0 : t.separator2 == 0 ? 1 : 2;
    startWith_ = t.startWith;
    separator_[0] = t.separator1;
    separator_[1] = t.separator2;
    loadTexts(ws_.project, texts_);

    showOptions(d);
    showGroup(d);
}

void StartupPage::fillGroupList(ui::Dialog& d) {
    List names;
    for (int g = 0; g < kMessageGroupCount; ++g)
        names.push_back(utf8ToCp1251(groupListName(g, bigFont_)));
    d.setItems(kGroupList, std::move(names));
    d.select(kGroupList, currentGroup_);
}

void StartupPage::showOptions(ui::Dialog& d) {
    d.select(kStartWith, startWith_);
    d.select(kSeparatorCount, separatorCount_);
    const u8 shown[2] = {separator_[0], separator_[1]};  // the echoes store as they go
    for (int k = 0; k < 2; ++k) {
        d.setNumber(kCode + k, shown[k]);
        d.setText(kCharacter + k, characterText(shown[k]));
    }
    enableSeparators(d);
    d.select(kGroupList, currentGroup_);
}

void StartupPage::enableSeparators(ui::Dialog& d) {
    for (int k = 0; k < 2; ++k) {
        const bool on = separatorCount_ > k;
        d.enable(kCode + k, on);
        d.enable(kCharacter + k, on);
    }
}

void StartupPage::showGroup(ui::Dialog& d) {
    const int g = currentGroup_;
    const int rows = editableRows(g, bigFont_);
    const std::string blank(static_cast<std::size_t>(maxRowLength(g, bigFont_)), ' ');
    for (int r = 0; r < kTextRows; ++r) {
        const bool used = r < rows;
        d.setText(kDefaultText + r, used ? defaultLabel(g, r, bigFont_) : blank);
        d.setText(kRowEdit + r, used ? std::string(texts_.text(g, r)) : blank);
        d.enable(kDefaultText + r, used);
        d.enable(kRowEdit + r, used);
    }
}

void StartupPage::rowChanged(ui::Dialog& d, int r) {
    // Rows the group does not show keep their text: the blanks put there are not theirs.
    if (r >= editableRows(currentGroup_, bigFont_)) return;
    const std::size_t limit = static_cast<std::size_t>(maxRowLength(currentGroup_, bigFont_));
    const std::string typed = d.text(kRowEdit + r, kTextRowChars);
    if (typed.size() > limit) {
        d.setText(kRowEdit + r, typed.substr(0, limit));
        return;
    }
    if (typed == texts_.text(currentGroup_, r)) return;  // shown, not changed
    texts_.set(currentGroup_, r, typed);
    textsDirty_ = true;
}

template <typename Set>
void StartupPage::echo(Set set) {
    if (echoing_) {
        echoing_ = false;
        return;
    }
    echoing_ = true;
    set();
    echoing_ = false;
}

void StartupPage::codeChanged(ui::Dialog& d, int k) {
    const int id = kCode + k;
    const auto n = d.number(id);
    if (!n) {
        if (!d.text(id).empty()) d.setText(id, "0");
        return;
    }
    if (*n >= 256) return;
    separator_[k] = static_cast<u8>(*n);
    echo([&] { d.setText(kCharacter + k, characterText(separator_[k])); });
}

void StartupPage::characterChanged(ui::Dialog& d, int k) {
    const int id = kCharacter + k;
    const std::string t = d.text(id, 4);
    if (t.size() > 1) {
        d.setText(id, t.substr(0, 1));
        return;
    }
    separator_[k] = t.empty() ? 0 : static_cast<u8>(t[0]);
    echo([&] { d.setNumber(kCode + k, separator_[k]); });
}

void StartupPage::toggleBigFont(ui::Dialog& d) {
    bigFont_ = !bigFont_;
    d.check(kBigFont, bigFont_);
    fillGroupList(d);
    installWideDefaults(texts_, bigFont_);
    textsDirty_ = true;  // what the page now shows is what OK stores
    showGroup(d);
}

void StartupPage::restoreDefaults(ui::Dialog& d) {
    startWith_ = 0;
    separatorCount_ = 1;
    separator_[0] = kDefaultSeparator;
    separator_[1] = 0;
    echoing_ = false;
    currentGroup_ = 0;
    restoreDefaultTexts(texts_, bigFont_);
    textsDirty_ = true;
    showOptions(d);
    showGroup(d);
}

void StartupPage::importLabels(ui::Dialog& d) {
    ui::FileDialogRequest request;
    request.kind = ui::FileDialogRequest::Kind::Open;
    request.filters = {{"Файлы Генератора Приложений (*.TGP)", "*.TGP"}};
    request.options = ui::kFileMustExist | ui::kHideReadOnly;
    const auto path = ui_.fileDialog(request);
    if (!path) return;
    u8 big = bigFont_ ? 1 : 0;
    switch (importTexts(*path, texts_, big)) {
        case ImportStatus::CannotOpen:
            return;
        case ImportStatus::FormatMismatch:
            ui_.messageBox({"Error", "Format mismatch !!!", ui::Buttons::Ok, ui::Icon::Warning});
            return;
        case ImportStatus::Ok:
            break;
    }
    bigFont_ = big != 0;
    d.check(kBigFont, bigFont_);
    textsDirty_ = true;
    currentGroup_ = 0;
    fillGroupList(d);
    showGroup(d);
}

void StartupPage::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.code == ui::Notify::Changed) {
        if (n.id >= kRowEdit && n.id < kRowEdit + kTextRows) rowChanged(d, n.id - kRowEdit);
        if (n.id == kCode || n.id == kCode + 1) codeChanged(d, n.id - kCode);
        if (n.id == kCharacter || n.id == kCharacter + 1) characterChanged(d, n.id - kCharacter);
        return;
    }
    if (n.code == ui::Notify::SelChanged) {
        const int sel = d.selection(n.id);
        if (sel < 0) return;
        switch (n.id) {
            case kStartWith: startWith_ = sel; break;
            case kSeparatorCount:
                separatorCount_ = sel;
                enableSeparators(d);
                break;
            case kGroupList:
                currentGroup_ = sel;
                showGroup(d);
                break;
            default: break;
        }
        return;
    }
    switch (n.id) {
        case kBigFont: toggleBigFont(d); break;
        case kDefaultsButton: restoreDefaults(d); break;
        case kImportButton: importLabels(d); break;
        default: break;
    }
}

void StartupPage::apply(ui::Dialog&) {
    TerminalSettings& t = ws_.project.terminal;
    t.startWith = static_cast<u8>(startWith_);
    t.separator1 = separator_[0];
    t.separator2 = separator_[1];
    t.bigFont = bigFont_ ? 1 : 0;
    if (separatorCount_ == 0) t.separator1 = t.separator2 = 0;
    if (separatorCount_ == 1) t.separator2 = 0;
    if (textsDirty_) storeTexts(texts_, ws_.project);
}

}  // namespace appgen::editor
