// A spreadsheet export (CSV in UTF-8 or Windows-1251) turned into the lines of a lookup data
// file as the lookup lays its records out: Windows-1251, fixed-length fields
// padded with spaces at their offsets, or the values joined by the lookup's
// separator. A single value that does not fit refuses the whole table.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/lookup_check.h"

namespace appgen {

struct LookupImportOptions {
    std::optional<char> delimiter;  // told by the operator; found in the text otherwise
    bool skipHeader = false;        // the first row names the columns
};

struct LookupImportProblem {
    int line = 0;    // 1-based line of the CSV file
    int column = 0;  // 1-based value; 0 for the whole row
    std::string reason;
};

struct LookupImport {
    char delimiter = ',';
    std::string encoding;  // the CSV was read as "UTF-8" or "Windows-1251"
    std::vector<std::string> layoutErrors;  // the lookup itself cannot take records
    std::vector<LookupImportProblem> problems;
    std::vector<std::string> lines;  // Windows-1251, one record each; empty when refused

    bool ok() const { return layoutErrors.empty() && problems.empty(); }
};

LookupImport importCsvLookup(std::string_view csv, const LookupDef& lookup,
                             const LookupImportOptions& options);

// What the CSV download shows before the operator decides: how many rows
// the file has, and whether its first row names the columns (its first value
// is a word where the column's other values are codes: letters over digits).
struct CsvPreview {
    int rows = 0;
    bool header = false;
};
CsvPreview previewCsv(std::string_view csv, int columns);

// The file the terminal takes: every line followed by CR LF.
std::string lookupFileBytes(const std::vector<std::string>& lines);

// "line 4, column 2: ..." (no column for a whole row).
std::string describe(const LookupImportProblem& p);

}  // namespace appgen
