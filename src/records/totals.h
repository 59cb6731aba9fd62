// Totals across every split record: one row per distinct value of a column,
// with the number of records and optionally the sum of a quantity column
// (the stock-take's count per article across all terminals).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/record_table.h"

namespace appgen::records {

// An exact decimal sum; numbers take a point or a comma as the decimal mark.
class DecimalSum {
  public:
    // False, adding nothing, when the text is not a number.
    bool add(std::string_view text);
    std::string text() const;  // "12", "-3.50"
    double value() const;

  private:
    __extension__ using Units = __int128;
    Units units_ = 0;
    int scale_ = 0;  // digits after the point
};

struct TotalRow {
    std::string key;  // the column's cell, Windows-1251
    std::uint64_t records = 0;
    DecimalSum quantity;
};

struct Totals {
    std::vector<TotalRow> rows;           // in order of first appearance
    std::vector<std::size_t> notNumbers;  // records whose quantity cell is not a number
};

// The index of the column in the layout's fields, or -1.
int columnIndex(const FormLayout& layout, std::string_view name);
bool anyFormHasColumn(const std::vector<FormLayout>& layouts, std::string_view name);

Totals totalsOf(const RecordTable& table, std::string_view keyColumn,
                const std::optional<std::string>& quantityColumn);

}  // namespace appgen::records
