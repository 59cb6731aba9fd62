// What the Form page and the dialogs it opens share while the sheet is open:
// the working copy of the ten forms, a backup copy per form for the dialogs'
// cancel, the form shown and the line whose "Еще..." was pressed last.
#pragma once

#include "project/project.h"

namespace appgen::editor {

struct FormPageState {
    FormDef work[kFormCount]{};
    FormDef backup[kFormCount]{};
    int currentForm = 0;
    int selectedLine = 0;
    // The input-marking flag of each line, kept only while the sheet is open.
    bool marking[kFormCount][kFormLines]{};

    FormDef& form() { return work[currentForm]; }
    bool& markingFlag() { return marking[currentForm][selectedLine]; }
    void takeBackup() { backup[currentForm] = work[currentForm]; }
    void restoreBackup() { work[currentForm] = backup[currentForm]; }
};

// The values the Form page's "Сброс" gives a form: the project defaults, but
// every form continues with form 1; the 200 unused bytes at the end are left.
void resetFormOnPage(FormDef& f);

}  // namespace appgen::editor
