// Tables exported from spreadsheets: UTF-8 or Windows-1251 text, one row a line, values
// separated by commas, semicolons or tabs and quoted the usual way (a value in
// double quotes may hold the separator, line breaks and doubled quotes).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace appgen {

struct CsvRow {
    int line = 0;  // 1-based line of the file where the row starts
    std::vector<std::string> values;  // UTF-8
};

// A place in the file where it cannot be read as a table.
struct CsvProblem {
    int line = 0;
    int column = 0;  // 1-based value in its row
    std::string reason;
};

struct CsvTable {
    char delimiter = ',';
    std::vector<CsvRow> rows;
    std::vector<CsvProblem> problems;  // rows with a problem are left out of `rows`
};

// The file's text in UTF-8. Well-formed UTF-8 is taken as it is; anything
// else is read as Windows-1251, the "CSV" a spreadsheet on a Russian PC
// saves. Neither fits when that reading gives control characters (a UTF-16
// export, a binary file).
struct CsvText {
    std::string utf8;
    std::string encoding;  // "UTF-8" or "Windows-1251"; empty when neither fits
    CsvProblem problem;    // where neither fits, and why
};
CsvText decodeCsvText(std::string_view bytes);

inline constexpr char kCsvDelimiters[] = {',', ';', '\t'};

// The delimiter that splits the first rows into the same number of values,
// preferring `expectedColumns` of them; tab before semicolon before comma when
// several do, since the rarer character is the likelier delimiter.
char detectCsvDelimiter(std::string_view text, std::optional<int> expectedColumns = std::nullopt);

// Reads the whole text. A byte order mark is skipped, lines may end with LF,
// CR LF or CR, and lines with nothing on them at all are not rows.
CsvTable parseCsv(std::string_view text, char delimiter);

}  // namespace appgen
