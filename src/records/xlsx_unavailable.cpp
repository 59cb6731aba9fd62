// A build without the workbook library: tables are written as CSV only.
#include "records/xlsx_output.h"

namespace appgen::records {

bool xlsxAvailable() {
    return false;
}

XlsxResult writeRecordsXlsx(const std::string&, const RecordTable&, const TotalsRequest&) {
    return {false, ".xlsx is not available in this build; write a .csv instead"};
}

}  // namespace appgen::records
