#include "editor/dialog_fields.h"

namespace appgen::editor {

void storeByteBox(ui::Dialog& d, int id, u8& field, const char* replacement) {
    // Past 32 bits there is no low byte to take: the field and the box keep
    // what they have, as a bounded box does with a number above its bound.
    if (d.numberTooLarge(id)) return;
    if (const auto n = d.number(id)) {
        field = static_cast<u8>(*n & 0xFF);
    } else if (!d.text(id).empty()) {
        d.setText(id, replacement);
    } else {
        field = 0;
    }
}

bool toggleCheck(ui::Dialog& d, int id, u8& field) {
    const bool on = !d.checked(id);
    d.check(id, on);
    field = on ? 1 : 0;
    return on;
}

void fillList(ui::Dialog& d, int id, std::vector<std::string> items, int selected) {
    d.setItems(id, std::move(items));
    d.select(id, selected);
}

}  // namespace appgen::editor
