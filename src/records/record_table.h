// Every record of one or more upload files split by the candidate forms: what
// the CSV, the workbook and the JSON listing are written from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/record_splitter.h"
#include "records/upload_lines.h"

namespace appgen::records {

struct RecordFile {
    std::string name;   // as the user gave it, UTF-8
    std::string bytes;  // Windows-1251
};

// Eight bytes a record: a million of them stay small.
struct RecordOutcome {
    SplitKind kind = SplitKind::NoForm;
    std::uint8_t form = 0;  // Split: 1..10
    // Split: where its fields start in RecordTable::spans; Ambiguous: its
    // entry in RecordTable::fitting.
    std::uint32_t index = 0;
};

class RecordTable {
  public:
    RecordTable(std::vector<RecordFile> files, std::vector<FormLayout> layouts);

    const std::vector<RecordFile>& files() const { return files_; }
    const std::vector<FormLayout>& layouts() const { return layouts_; }
    const FormLayout* layoutOf(int form) const;
    const std::vector<RecordLine>& lines() const { return lines_; }
    const std::vector<RecordOutcome>& outcomes() const { return outcomes_; }

    std::string_view bytes(std::size_t record) const;
    const std::string& fileName(std::size_t record) const {
        return files_[lines_[record].file].name;
    }
    // The text of field `field` of a split record, padding kept.
    std::string_view fieldText(std::size_t record, std::size_t field) const;
    // The same as a table cell shows it.
    std::string_view cell(std::size_t record, std::size_t field) const;
    const std::vector<int>& fittingForms(std::size_t record) const {
        return fitting_[outcomes_[record].index];
    }
    // Why a record was not split, in words.
    std::string reason(std::size_t record) const;

    std::size_t splitCount() const { return split_; }
    std::size_t unsplitCount() const { return lines_.size() - split_; }
    // The forms that have split records, ascending.
    std::vector<int> formsWithRecords() const;

  private:
    std::vector<RecordFile> files_;
    std::vector<FormLayout> layouts_;
    std::vector<RecordLine> lines_;
    std::vector<RecordOutcome> outcomes_;
    std::vector<FieldSpan> spans_;
    std::vector<std::vector<int>> fitting_;
    std::size_t split_ = 0;
};

// A cell of an integer or decimal line written as a number: an optional
// minus, digits with no leading zero unless the whole part is 0, optionally a
// point or comma and digits.
bool isPlainNumber(std::string_view text);

// The value of such a cell, the same in every locale: the desktop program runs
// in the operator's, where the decimal point may be a comma.
double plainNumberValue(std::string_view text);

}  // namespace appgen::records
