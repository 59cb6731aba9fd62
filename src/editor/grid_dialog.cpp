#include "editor/grid_dialog.h"

#include <cstring>

#include "editor/char_table.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {

const PageControls& GridDialog::controls() {
    using K = ui::ControlKind;
    static const PageControls list = {
        {kGridId, K::Custom}, {kGridResultId, K::Custom}, {kGridClearId, K::Button}};
    return list;
}

GridDialog::GridDialog(ui::Services& ui, const char (&buffer)[kPickerCapacity]) : ui_(ui) {
    while (count_ < kPickerCapacity && buffer[count_] != '\0') {
        resultBytes_[count_] = buffer[count_];
        ++count_;
    }
    charTokens(resultBytes_, count_, resultText_);
    openingText_ = resultText_;
}

void GridDialog::init(ui::Dialog& d) {
    selected_ = {0, 0};
    d.setPainter(kGridId, [this](int w, int h) { return paintGrid(gridGeometry(w, h), selected_); });
    d.setPainter(kGridResultId,
                 [this](int w, int h) { return paintResultField(w, h, resultText_); });
    showResult(d);
}

void GridDialog::showResult(ui::Dialog& d) {
    d.setText(kGridResultId, resultText_);
    d.invalidate(kGridResultId);
}

void GridDialog::click(ui::Dialog& d, int x, int y) {
    const ui::ControlState* grid = d.control(kGridId);
    const auto cell = gridHit(gridGeometry(grid->pixelWidth, grid->pixelHeight), x, y);
    if (!cell) return;
    selected_ = *cell;
    d.invalidate(kGridId);
    if (count_ < kPickerCapacity) {
        resultBytes_[count_++] = static_cast<char>(cell->byte());
        resultText_ += '[';
        resultText_ += charName(cell->byte());
        resultText_ += ']';
        showResult(d);
    } else {
        ui_.messageBox({"Error", "Too many characters !!!", ui::Buttons::Ok, ui::Icon::Warning});
    }
}

void GridDialog::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.id == kGridId && n.code == ui::Notify::Clicked) {
        click(d, n.x, n.y);
    } else if (n.id == kGridClearId && n.code == ui::Notify::Clicked) {
        std::memset(resultBytes_, 0, sizeof resultBytes_);
        count_ = 0;
        resultText_.clear();
        showResult(d);
    }
}

void GridDialog::resultInto(char (&buffer)[kPickerCapacity]) const {
    std::memset(buffer, 0, kPickerCapacity);
    for (int i = 0; i < kPickerCapacity && resultBytes_[i] != '\0'; ++i) buffer[i] = resultBytes_[i];
}

void attachPickerBox(ui::Services& ui, ui::Dialog& d, int boxId, char (&buffer)[kPickerCapacity]) {
    d.hookClick(boxId, [&ui, &buffer](ui::Dialog& owner, int id) {
        owner.setFocus(id);
        owner.setFill(id, ui::kBlue);
        GridDialog grid(ui, buffer);
        ui::Dialog table(ui::dialogTemplate("GridDlg"), grid);
        const int result = ui.runDialog(table);
        owner.setFill(id, std::nullopt);
        if (result == 1) {
            grid.resultInto(buffer);
            owner.setText(id, grid.resultText());
        } else {
            owner.setText(id, grid.openingText());
        }
        return true;
    });
}

}  // namespace appgen::editor
