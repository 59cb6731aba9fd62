#include "editor/symbology_dialog.h"

#include "ui/builtin_templates.h"

namespace appgen::editor {

SymbologyDialog::SymbologyDialog(Workspace& ws, const SymbologyLayout& layout)
    : ws_(ws), layout_(layout) {
    if (layout.lengths) lengths_.emplace(*layout.lengths);
}

void SymbologyDialog::init(ui::Dialog& d) {
    const BarcodeSettings& b = ws_.project.barcode;
    for (const CheckOption& c : layout_.checks) d.check(c.id, readBits(b, c.field) != 0);
    for (const RadioChoice& r : layout_.radios) {
        const int choice = r.choiceOf(readBits(b, r.field), r.count);
        for (int i = 0; i < r.count; ++i) d.check(r.firstId + i, i == choice);
    }
    if (lengths_) lengths_->load(d, b);
}

void SymbologyDialog::command(ui::Dialog& d, const ui::Notification& n) {
    if (lengths_ && lengths_->command(d, n)) return;
    if (n.code != ui::Notify::Clicked) return;
    for (const CheckOption& c : layout_.checks)
        if (c.id == n.id) d.check(n.id, !d.checked(n.id));
}

void SymbologyDialog::ok(ui::Dialog& d) {
    BarcodeSettings& b = ws_.project.barcode;
    for (const CheckOption& c : layout_.checks) writeBits(b, c.field, d.checked(c.id) ? 1u : 0u);
    for (const RadioChoice& r : layout_.radios) {
        // A stored value no radio stands for stays as it was unless one is chosen.
        for (int i = 0; i < r.count; ++i)
            if (d.checked(r.firstId + i)) writeBits(b, r.field, r.valueOf(i));
    }
    if (lengths_) lengths_->store(d, b);
    // The write reaches the project at once, so the unsaved-changes question must cover it.
    ws_.setModified();
    d.end(1);
}

int runSymbologyDialog(Workspace& ws, ui::Services& ui, const SymbologyLayout& layout) {
    SymbologyDialog handler(ws, layout);
    ui::Dialog d(ui::dialogTemplate(layout.templateName), handler);
    return ui.runDialog(d);
}

}  // namespace appgen::editor
