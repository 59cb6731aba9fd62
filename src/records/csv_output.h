// Tables as CSV (RFC 4180): CR LF row ends, a cell quoted when it holds the
// delimiter, a quote or a line break; UTF-8 with a byte-order mark (so that
// spreadsheets take the encoding at once) or Windows-1251.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/record_table.h"
#include "records/totals.h"

namespace appgen::records {

struct CsvDialect {
    char delimiter = ';';
    bool cp1251 = false;
    bool byteOrderMark = true;  // UTF-8 only
};

// Where a CSV's bytes go as they are made, some tens of kilobytes at a time,
// so that a million records never stand whole in memory.
using CsvSink = std::function<void(std::string_view bytes)>;

class CsvWriter {
  public:
    // Without a sink the bytes gather in result().
    explicit CsvWriter(CsvDialect dialect, CsvSink sink = {});
    void text(std::string_view utf8);     // our own texts: headers, file names
    void bytes(std::string_view cp1251);  // the records' texts
    void number(unsigned n);
    void endRow();
    // Hands the sink what is left.
    void finish();
    std::string& result() { return out_; }

  private:
    void separate();
    void put(std::string_view cell, bool fromCp1251);

    CsvDialect dialect_;
    CsvSink sink_;
    std::string out_;
    bool rowStarted_ = false;
};

// "Файл", "Строка", then the form's columns; one row per split record of the form.
void recordsCsv(const RecordTable& table, int form, const CsvDialect& dialect, const CsvSink& sink);
std::string recordsCsv(const RecordTable& table, int form, const CsvDialect& dialect);

// The key column, "Записей" and, when given, the quantity column.
void totalsCsv(const Totals& totals, std::string_view keyColumn,
               const std::optional<std::string>& quantityColumn, const CsvDialect& dialect,
               const CsvSink& sink);
std::string totalsCsv(const Totals& totals, std::string_view keyColumn,
                      const std::optional<std::string>& quantityColumn, const CsvDialect& dialect);

// Appends Windows-1251 bytes as UTF-8.
void appendUtf8(std::string& out, std::string_view cp1251);

}  // namespace appgen::records
