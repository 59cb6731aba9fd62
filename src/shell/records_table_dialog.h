// "Таблица из данных...": RECORDSDLG takes one or more received records
// files, the form ("(определить)" or Форма 1..10) and the table to write
// (.xlsx or .csv), splits the records by the project's forms, writes the
// table, says how many records were split and which were not, and offers to
// open the table.
#pragma once

#include <string>
#include <vector>

#include "project/project.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::shell {

inline constexpr int kIdRecordsFormList = 601;  // "(определить)", "Форма 1".."Форма 10"
inline constexpr int kIdRecordsOutput = 501;  // the table's path
inline constexpr int kIdRecordsFiles = 610;   // the chosen files, one a line
inline constexpr int kIdRecordsResult = 611;  // how many were split
inline constexpr int kIdRecordsAdd = 620;
inline constexpr int kIdRecordsClear = 621;
inline constexpr int kIdRecordsBrowse = 622;

class RecordsTableDialog : public ui::DialogHandler {
  public:
    RecordsTableDialog(const Project& p, ui::Services& ui) : project_(p), ui_(ui) {}

    void init(ui::Dialog& d) override;
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // "Создать": writes the table; the dialog stays open when something is
    // missing or the table cannot be made, after saying why.
    void ok(ui::Dialog& d) override;

    // After a table was written.
    std::size_t split = 0;
    std::size_t unsplit = 0;

  private:
    void showFiles(ui::Dialog& d);
    std::string outputPath(const ui::Dialog& d) const;
    void tell(const std::string& text, const std::string& detail = {});

    const Project& project_;
    ui::Services& ui_;
    std::vector<std::string> files_;  // UTF-8
    std::string chosenOutput_;        // UTF-8, as the save dialog gave it
};

// The menu command "Таблица из данных...".
void makeRecordsTable(ui::Services& ui, const Project& p);

}  // namespace appgen::shell
