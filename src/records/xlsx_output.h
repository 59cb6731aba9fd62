// The split records as a workbook: a sheet "Форма N" per form with records
// (header frozen, columns sized, integer and decimal lines as numbers when
// they are plain numbers), "Не разобрано" with every record not split, and
// "Итоги" with the totals when asked for. Written row by row, so a million
// records need little memory.
#pragma once

#include <optional>
#include <string>

#include "records/record_table.h"
#include "records/totals.h"

namespace appgen::records {

struct TotalsRequest {
    const Totals* totals = nullptr;
    std::string keyColumn;
    std::optional<std::string> quantityColumn;
};

struct XlsxResult {
    bool ok = false;
    std::string reason;
};

// False in a build without the workbook library.
bool xlsxAvailable();

// Writes the workbook to `path` (a temporary file the caller then puts in place).
XlsxResult writeRecordsXlsx(const std::string& path, const RecordTable& table,
                            const TotalsRequest& totals);

}  // namespace appgen::records
