// The controls of its template that an editor page fills and answers, each
// with the kind the page takes it for. A test checks every page's list against
// the template it runs on, both ways, so a page and its resource cannot drift
// apart unnoticed.
#pragma once

#include <vector>

#include "ui/dialog_template.h"

namespace appgen::editor {

struct PageControl {
    int id;
    ui::ControlKind kind;
};
using PageControls = std::vector<PageControl>;

}  // namespace appgen::editor
