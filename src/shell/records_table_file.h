// Writing a table of split records to its file the safe way: the bytes go to
// a temporary file beside it as they are made (a CSV piece by piece, a
// workbook by its library), which then takes the file's place.
#pragma once

#include <functional>
#include <string>

#include "platform/safe_file.h"
#include "records/csv_output.h"
#include "records/record_table.h"
#include "records/xlsx_output.h"

namespace appgen::shell {

// `write` hands its bytes to the sink it is given.
platform::FileWriteResult writeCsvFile(const std::string& path,
                                       const std::function<void(const records::CsvSink&)>& write);

platform::FileWriteResult writeWorkbookFile(const std::string& path,
                                            const records::RecordTable& table,
                                            const records::TotalsRequest& totals);

// True for a name ending in .xlsx (any case); .csv likewise.
bool isXlsxPath(const std::string& path);
bool isCsvTablePath(const std::string& path);

}  // namespace appgen::shell
