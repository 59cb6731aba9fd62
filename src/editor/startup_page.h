// STARTUPDLG, "Начало работы": the start option, the record field separators,
// the big font for the terminal's own screens and the texts of its 26 message
// groups, which it can also take from another project file.
#pragma once

#include "editor/page_controls.h"
#include "editor/startup_texts.h"
#include "project/project.h"
#include "ui/property_sheet.h"
#include "ui/services.h"

namespace appgen::editor {

class StartupPage : public ui::PageHandler {
public:
    // The controls of its template this page handles.
    static const PageControls& controls();

    StartupPage(Workspace& ws, ui::Services& ui) : ws_(ws), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // Stores the options; the texts only when something on the page changed
    // them (a typed row, an import, the big-font switch or "Отмена").
    void apply(ui::Dialog& d) override;

    const StartupTexts& texts() const { return texts_; }
    bool textsDirty() const { return textsDirty_; }
    int currentGroup() const { return currentGroup_; }
    bool bigFont() const { return bigFont_; }
    u8 separator(int k) const { return separator_[k]; }
    int separatorCount() const { return separatorCount_; }
    int startWith() const { return startWith_; }

private:
    void fillGroupList(ui::Dialog& d);
    void showOptions(ui::Dialog& d);
    void enableSeparators(ui::Dialog& d);
    void showGroup(ui::Dialog& d);
    void rowChanged(ui::Dialog& d, int r);
    void codeChanged(ui::Dialog& d, int k);
    void characterChanged(ui::Dialog& d, int k);
    // Sets the other edit of a separator, unless this change is itself that echo.
    template <typename Set>
    void echo(Set set);
    void toggleBigFont(ui::Dialog& d);
    void restoreDefaults(ui::Dialog& d);
    void importLabels(ui::Dialog& d);

    Workspace& ws_;
    ui::Services& ui_;
    int startWith_ = 0;
    int separatorCount_ = 0;
    u8 separator_[2]{};
    bool bigFont_ = false;
    int currentGroup_ = 0;
    bool textsDirty_ = false;
    bool echoing_ = false;
    StartupTexts texts_;
};

}  // namespace appgen::editor
