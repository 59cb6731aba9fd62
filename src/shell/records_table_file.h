// Writing a table of split records to its file the safe way: a CSV's bytes
// replace the file at once; a workbook, which its library writes to a file of
// its own, goes to a temporary file first and its bytes then take the place.
#pragma once

#include <string>

#include "platform/safe_file.h"
#include "records/record_table.h"
#include "records/xlsx_output.h"

namespace appgen::shell {

platform::FileWriteResult writeWorkbookFile(const std::string& path,
                                            const records::RecordTable& table,
                                            const records::TotalsRequest& totals);

// True for a name ending in .xlsx (any case); .csv likewise.
bool isXlsxPath(const std::string& path);
bool isCsvTablePath(const std::string& path);

}  // namespace appgen::shell
