#include "editor/form_page.h"

#include <cstring>

#include "editor/dialog_fields.h"
#include "editor/editor_lists.h"
#include "editor/field_properties.h"
#include "editor/stamp_dialog.h"
#include "project/text.h"

namespace appgen::editor {
namespace {

enum : int {
    kFormChoice = 690,
    kFont = 691,
    kEscTarget = 692,
    kNextTarget = 693,
    kLookupSearch = 694,
    kRecordAction = 695,
    kStampButton = 210,
    kResetButton = 211,
    kMoreButton = 201,  // + line
    kPrompt = 501,
    kMinLen = 511,
    kMaxLen = 521,
    kType = 601,
    kSource = 611,
    kSearchIn = 621,
};

constexpr int kBigFontLines = 4;

// The line a control of the line table belongs to, or -1.
int lineOf(int id, int base) { return id >= base && id < base + kFormLines ? id - base : -1; }

bool between(int t, int low, int high) { return t >= low && t <= high; }

}  // namespace

const PageControls& FormPage::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kFormChoice, K::DropDownList},   {kFont, K::DropDownList},
                          {kEscTarget, K::DropDownList},    {kNextTarget, K::DropDownList},
                          {kLookupSearch, K::DropDownList}, {kRecordAction, K::DropDownList},
                          {kStampButton, K::Button},        {kResetButton, K::Button}};
        for (int i = 0; i < kFormLines; ++i) {
            c.insert(c.end(), {{kMoreButton + i, K::Button}, {kPrompt + i, K::Edit},
                               {kMinLen + i, K::Edit}, {kMaxLen + i, K::Edit},
                               {kType + i, K::DropDownList}, {kSource + i, K::DropDownList},
                               {kSearchIn + i, K::DropDownList}});
        }
        return c;
    }();
    return list;
}

FormPage::FormPage(Workspace& ws, ui::Services& ui, std::function<void()> resetSimulator)
    : ws_(ws), ui_(ui), resetSimulator_(std::move(resetSimulator)) {}

void FormPage::init(ui::Dialog& d) {
    std::memcpy(state_.work, ws_.project.forms, sizeof state_.work);
    d.setItems(kFormChoice, formNameList());
    d.setItems(kFont, fontList());
    d.setItems(kEscTarget, targetList());
    d.setItems(kNextTarget, targetList());
    d.setItems(kLookupSearch, lookupSearchList());
    d.setItems(kRecordAction, recordActionList());
    for (int i = 0; i < kFormLines; ++i) {
        d.setItems(kType + i, lineTypeList());
        d.setItems(kSource + i, sourceList());
        d.setItems(kSearchIn + i, searchInList());
    }
    state_.currentForm = 0;
    fill(d);
    fontRule(d);
}

void FormPage::fill(ui::Dialog& d) {
    const FormDef& f = state_.form();
    d.select(kFormChoice, state_.currentForm);
    promptLimit_ = f.font != 0 ? 15 : 20;
    d.select(kFont, f.font);
    d.select(kEscTarget, f.escTarget);
    d.select(kNextTarget, f.nextTarget);
    d.select(kLookupSearch, f.lookupSearch);
    d.select(kRecordAction, f.recordAction);
    for (int i = 0; i < kFormLines; ++i) {
        // Each box's own change handler stores what it shows, so a prompt too
        // long for the font is cut here and a logical line's lengths become 1.
        d.setText(kPrompt + i, slotText(state_.form().prompt[i]));
        d.select(kType + i, f.lineType[i]);
        d.select(kSource + i, f.source[i]);
        d.select(kSearchIn + i, f.searchIn[i]);
        d.setNumber(kMinLen + i, f.minLen[i]);
        d.setNumber(kMaxLen + i, f.maxLen[i]);
        lineRule(d, i);
    }
    fontRule(d);
}

void FormPage::lineRule(ui::Dialog& d, int i) {
    const int t = state_.form().lineType[i];
    d.enable(kPrompt + i, between(t, 1, 11));
    d.enable(kMoreButton + i, between(t, 1, 8));
    d.enable(kSource + i, between(t, 1, 6));
    d.enable(kSearchIn + i, between(t, 1, 7));
    d.enable(kMinLen + i, between(t, 1, 5));
    d.enable(kMaxLen + i, between(t, 1, 5));
}

void FormPage::fontRule(ui::Dialog& d) {
    const bool big = state_.form().font != 0;
    for (int i = kBigFontLines; i < kFormLines; ++i) {
        if (big) {
            for (const int base : {kType, kPrompt, kSource, kMinLen, kMaxLen, kSearchIn, kMoreButton})
                d.enable(base + i, false);
        } else {
            d.enable(kType + i, true);
            lineRule(d, i);
        }
    }
}

void FormPage::promptChanged(ui::Dialog& d, int i) {
    const std::string t = d.text(kPrompt + i, 21);
    if (static_cast<int>(t.size()) > promptLimit_)
        d.setText(kPrompt + i, t.substr(0, static_cast<std::size_t>(promptLimit_)));
    else
        setSlotText(state_.form().prompt[i], t);
}

void FormPage::lengthChanged(ui::Dialog& d, int id, u8& field, int i) {
    unsigned value = 0;
    if (const auto n = d.number(id)) {
        if (*n > kMaxFieldLen) return;  // ignored: the field and the box keep what they have
        value = *n;
    } else if (!d.text(id).empty()) {
        d.setText(id, "0");
    }
    field = state_.form().lineType[i] == kLineLogical ? 1 : static_cast<u8>(value);
}

void FormPage::typeChosen(ui::Dialog& d, int i) {
    FormDef& f = state_.form();
    f.lineType[i] = static_cast<u8>(d.selection(kType + i));
    lineRule(d, i);
    if (!between(f.lineType[i], 1, 8)) {
        f.initialOn[i] = 0;
        f.initialValue[i][0] = '\0';
        f.inputMark[i] = 0;
        state_.marking[state_.currentForm][i] = false;
    }
}

void FormPage::command(ui::Dialog& d, const ui::Notification& n) {
    FormDef& f = state_.form();
    if (n.code == ui::Notify::SelChanged) {
        const auto index = static_cast<u8>(d.selection(n.id));
        int i = -1;
        switch (n.id) {
            case kFormChoice:
                if (d.selection(n.id) < 0) return;
                state_.currentForm = d.selection(n.id);
                fill(d);
                return;
            case kFont:
                f.font = index;
                promptLimit_ = f.font != 0 ? 15 : 20;
                fontRule(d);
                return;
            case kEscTarget: f.escTarget = index; return;
            case kNextTarget: f.nextTarget = index; return;
            case kLookupSearch: f.lookupSearch = index; return;
            case kRecordAction: f.recordAction = index; return;
            default: break;
        }
        if ((i = lineOf(n.id, kType)) >= 0) typeChosen(d, i);
        if ((i = lineOf(n.id, kSource)) >= 0) f.source[i] = index;
        if ((i = lineOf(n.id, kSearchIn)) >= 0) f.searchIn[i] = index;
    } else if (n.code == ui::Notify::Changed) {
        int i = -1;
        if ((i = lineOf(n.id, kPrompt)) >= 0) promptChanged(d, i);
        if ((i = lineOf(n.id, kMinLen)) >= 0) lengthChanged(d, n.id, f.minLen[i], i);
        if ((i = lineOf(n.id, kMaxLen)) >= 0) lengthChanged(d, n.id, f.maxLen[i], i);
    } else if (n.code == ui::Notify::Clicked) {
        if (n.id == kStampButton) {
            openStampDialog(state_, ui_);
        } else if (n.id == kResetButton) {
            for (FormDef& form : state_.work) resetFormOnPage(form);
            state_.currentForm = 0;
            fill(d);
        } else if (const int i = lineOf(n.id, kMoreButton); i >= 0) {
            state_.selectedLine = i;
            openFieldProperties(state_, ui_);
        }
    }
}

void FormPage::apply(ui::Dialog&) {
    std::memcpy(ws_.project.forms, state_.work, sizeof state_.work);
    ws_.setModified();
    normalizeForms(ws_.project);
    fixContinuationLines(ws_.project);
    if (resetSimulator_) resetSimulator_();
}

}  // namespace appgen::editor
