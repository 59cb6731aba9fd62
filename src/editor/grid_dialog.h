// GridDlg, the character table: each click on a cell appends that byte to the
// result, up to ten bytes. The caller applies the result after OK.
#pragma once

#include <string>

#include "editor/grid_geometry.h"
#include "editor/page_controls.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::editor {

inline constexpr int kGridId = 401;
inline constexpr int kGridResultId = 402;
inline constexpr int kGridClearId = 201;
inline constexpr int kPickerCapacity = 10;

class GridDialog : public ui::DialogHandler {
public:
    // `buffer`: the 10-byte prefix or suffix being edited; read, never written here.
    GridDialog(ui::Services& ui, const char (&buffer)[kPickerCapacity]);

    // The controls of its template it fills and answers, OK and Cancel aside.
    static const PageControls& controls();

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;

    // The result for the buffer: up to the first NUL, zero-filled to 10 bytes.
    void resultInto(char (&buffer)[kPickerCapacity]) const;
    const std::string& resultText() const { return resultText_; }
    // The box's text as it was at opening, for Cancel.
    const std::string& openingText() const { return openingText_; }
    int count() const { return count_; }
    GridCell selected() const { return selected_; }

private:
    void click(ui::Dialog& d, int x, int y);
    void showResult(ui::Dialog& d);

    ui::Services& ui_;
    char resultBytes_[kPickerCapacity + 1]{};  // NUL-terminated when shorter than 10
    int count_ = 0;
    std::string resultText_;
    std::string openingText_;
    GridCell selected_{};
};

// The hook on a prefix or suffix box: a click gives the box the focus and
// opens the character table for it; while the table is open the box is a solid
// blue rectangle. OK replaces the buffer and the box's text; Cancel puts the
// text back as it was and leaves the buffer.
void attachPickerBox(ui::Services& ui, ui::Dialog& d, int boxId, char (&buffer)[kPickerCapacity]);

}  // namespace appgen::editor
