#include "editor/stamp_dialog.h"

#include "editor/dialog_fields.h"
#include "editor/editor_lists.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

enum : int {
    kSplit = 101,
    kYear = 102,
    kMonth = 103,
    kDay = 104,
    kDateSepOn = 105,
    kHours = 111,
    kMinutes = 112,
    kSeconds = 113,
    kTimeSepOn = 114,
    kDateSep = 505,
    kTimeSep = 514,
    kPosition = 601,
    kYearDigits = 602,
    kDateOrder = 606,
    kDateGroup = 901,
    kTimeGroup = 902,
};

std::string joined(std::string head, std::initializer_list<const std::string*> parts,
                   bool separated, std::string_view separator) {
    bool first = true;
    for (const std::string* p : parts) {
        if (!p) continue;
        if (!first && separated) head += separator;
        head += *p;
        first = false;
    }
    return head;
}

void showDate(ui::Dialog& d, const FormDef& f) { d.setText(kDateGroup, datePattern(f)); }
void showTime(ui::Dialog& d, const FormDef& f) { d.setText(kTimeGroup, timePattern(f)); }

}  // namespace

const PageControls& StampDialog::controls() {
    using K = ui::ControlKind;
    static const PageControls list = {
        {kSplit, K::CheckBox},        {kYear, K::CheckBox},           {kMonth, K::CheckBox},
        {kDay, K::CheckBox},          {kDateSepOn, K::CheckBox},      {kHours, K::CheckBox},
        {kMinutes, K::CheckBox},      {kSeconds, K::CheckBox},        {kTimeSepOn, K::CheckBox},
        {kDateSep, K::Edit},          {kTimeSep, K::Edit},            {kPosition, K::DropDownList},
        {kYearDigits, K::DropDownList}, {kDateOrder, K::DropDownList}, {kDateGroup, K::GroupBox},
        {kTimeGroup, K::GroupBox}};
    return list;
}

std::string datePattern(const FormDef& f) {
    const std::string year = cp(f.stampYearDigits == 1 ? "ГГ" : "ГГГГ");
    const std::string month = cp("ММ");
    const std::string day = cp("ДД");
    const std::string* y = f.stampYear ? &year : nullptr;
    const std::string* m = f.stampMonth ? &month : nullptr;
    const std::string* dd = f.stampDay ? &day : nullptr;
    const std::string head = cp("Формат Даты : ");
    const bool sep = f.stampDateSepOn != 0;
    const std::string_view text = slotText(f.stampDateSep);
    switch (f.stampDateOrder) {
        case 1: return joined(head, {m, dd, y}, sep, text);
        case 2: return joined(head, {dd, m, y}, sep, text);
        default: return joined(head, {y, m, dd}, sep, text);
    }
}

std::string timePattern(const FormDef& f) {
    const std::string hours = cp("ЧЧ");
    const std::string minutes = cp("ММ");
    const std::string seconds = cp("СС");
    return joined(cp("Формат Времени: "),
                  {f.stampHours ? &hours : nullptr, f.stampMinutes ? &minutes : nullptr,
                   f.stampSeconds ? &seconds : nullptr},
                  f.stampTimeSepOn != 0, slotText(f.stampTimeSep));
}

void StampDialog::init(ui::Dialog& d) {
    state_.takeBackup();
    FormDef& f = state_.form();
    fillList(d, kPosition, stampPositionList(), f.stampPosition);
    fillList(d, kYearDigits, yearDigitsList(), f.stampYearDigits);
    fillList(d, kDateOrder, dateOrderList(), f.stampDateOrder);
    d.setText(kDateSep, slotText(f.stampDateSep));
    d.setText(kTimeSep, slotText(f.stampTimeSep));
    d.check(kSplit, f.stampSplit != 0);
    d.check(kYear, f.stampYear != 0);
    d.check(kMonth, f.stampMonth != 0);
    d.check(kDay, f.stampDay != 0);
    d.check(kDateSepOn, f.stampDateSepOn != 0);
    d.check(kHours, f.stampHours != 0);
    d.check(kMinutes, f.stampMinutes != 0);
    d.check(kSeconds, f.stampSeconds != 0);
    d.check(kTimeSepOn, f.stampTimeSepOn != 0);
    showDate(d, f);
    showTime(d, f);
}

void StampDialog::separatorChanged(ui::Dialog& d, int id, char (&field)[2]) {
    const std::string t = d.text(id, 2);
    if (t.size() == 2) {
        d.setText(id, t.substr(0, 1));
        return;
    }
    setSlotText(field, t);
    if (id == kDateSep)
        showDate(d, state_.form());
    else
        showTime(d, state_.form());
}

void StampDialog::command(ui::Dialog& d, const ui::Notification& n) {
    FormDef& f = state_.form();
    if (n.code == ui::Notify::Clicked) {
        u8* field = nullptr;
        bool date = true;
        switch (n.id) {
            case kSplit: field = &f.stampSplit; break;
            case kYear: field = &f.stampYear; break;
            case kMonth: field = &f.stampMonth; break;
            case kDay: field = &f.stampDay; break;
            case kDateSepOn: field = &f.stampDateSepOn; break;
            case kHours: field = &f.stampHours; date = false; break;
            case kMinutes: field = &f.stampMinutes; date = false; break;
            case kSeconds: field = &f.stampSeconds; date = false; break;
            case kTimeSepOn: field = &f.stampTimeSepOn; date = false; break;
            default: return;
        }
        toggleCheck(d, n.id, *field);
        if (date)
            showDate(d, f);
        else
            showTime(d, f);
    } else if (n.code == ui::Notify::SelChanged) {
        const auto index = static_cast<u8>(d.selection(n.id));
        if (n.id == kPosition) f.stampPosition = index;
        if (n.id == kYearDigits) f.stampYearDigits = index;
        if (n.id == kDateOrder) f.stampDateOrder = index;
        if (n.id != kPosition) showDate(d, f);
    } else if (n.code == ui::Notify::Changed) {
        if (n.id == kDateSep) separatorChanged(d, n.id, f.stampDateSep);
        if (n.id == kTimeSep) separatorChanged(d, n.id, f.stampTimeSep);
    }
}

void StampDialog::cancel(ui::Dialog& d) {
    state_.restoreBackup();
    d.end(0);
}

int openStampDialog(FormPageState& state, ui::Services& ui) {
    StampDialog handler(state);
    ui::Dialog d(ui::dialogTemplate("DateTimeStampDlg"), handler);
    return ui.runDialog(d);
}

}  // namespace appgen::editor
