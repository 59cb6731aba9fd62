// A spreadsheet export (.csv) given to the lookup download: the operator says
// which lookup it is for (LOOKUPCSVDLG), the file is converted in memory as
// appgen-cli lookup-import converts it, and the converted lines are sent; a
// file that does not fit is refused with every line and column named.
#pragma once

#include <string>

#include "link/download.h"
#include "project/lookup_csv.h"
#include "project/project.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::shell {

inline constexpr int kIdCsvLookupList = 601;
inline constexpr int kIdCsvHeaderCheck = 101;
inline constexpr int kIdCsvLineCount = 102;

// LOOKUPCSVDLG: the lookup (1..3, the first one defined chosen at first) and
// whether the first row only names the columns (ticked at first when it looks
// so), with the number of lines that will be sent.
class LookupCsvDialog : public ui::DialogHandler {
public:
    LookupCsvDialog(const Project& p, const CsvPreview& preview) : project_(p), preview_(preview) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    void ok(ui::Dialog& d) override;

    int lookup = 0;  // 0-based, after OK
    bool skipHeader = false;

private:
    void showLineCount(ui::Dialog& d);

    const Project& project_;
    CsvPreview preview_;
};

bool isCsvPath(const std::string& path);

// What the lookup download does with the chosen file: a .csv is converted;
// another file in UTF-8 asks whether to convert it to Windows-1251; the
// rest go as they are.
link::LookupFileUse lookupFileUse(ui::Services& ui, const Project& p, const std::string& path);

}  // namespace appgen::shell
