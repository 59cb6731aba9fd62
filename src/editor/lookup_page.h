// LOOKUPDLG, the third page of the editor sheet: the record layout of the
// three lookup databases, fixed-length or delimited by a separator.
#pragma once

#include "editor/page_controls.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class LookupPage : public ui::PageHandler {
public:
    // The controls of its template this page handles.
    static const PageControls& controls();

    LookupPage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // Completes the separated lookups and writes the three lookups back.
    void apply(ui::Dialog& d) override;

    const LookupDef& working(int lookup) const { return work_[lookup]; }
    int currentLookup() const { return current_; }

private:
    LookupDef& lookup() { return work_[current_]; }
    void fill(ui::Dialog& d);
    void fieldRule(ui::Dialog& d, bool separated);
    void offsetBoxesRule(ui::Dialog& d, bool separated);
    void fixedLengthChosen(ui::Dialog& d);
    void separatorChosen(ui::Dialog& d);
    void keyChosen(ui::Dialog& d, int field);

    Workspace& ws_;
    [[maybe_unused]] ui::Services& ui_;
    LookupDef work_[kLookupCount]{};
    int current_ = 0;
};

}  // namespace appgen::editor
