#include "editor/form_state.h"

#include <algorithm>

namespace appgen::editor {

void resetFormOnPage(FormDef& f) {
    // A fresh form 1, whose prefix, suffix and line text are cleared in full.
    resetForm(f, 0);
    for (int i = 0; i < kFormLines; ++i) {
        std::fill(std::begin(f.prefix[i]), std::end(f.prefix[i]), '\0');
        std::fill(std::begin(f.suffix[i]), std::end(f.suffix[i]), '\0');
        std::fill(std::begin(f.lineText[i]), std::end(f.lineText[i]), '\0');
    }
}

}  // namespace appgen::editor
