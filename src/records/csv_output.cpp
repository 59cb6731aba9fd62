#include "records/csv_output.h"

#include <array>

#include "project/text.h"

namespace appgen::records {
namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

void appendUtf8(std::string& out, std::string_view cp1251) {
    static const std::array<std::string, 128> upper = [] {
        std::array<std::string, 128> t;
        for (int b = 0; b < 128; ++b) {
            const char c = static_cast<char>(b + 128);
            t[b] = cp1251ToUtf8(std::string_view(&c, 1));
        }
        return t;
    }();
    for (char c : cp1251) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 128)
            out += c;
        else
            out += upper[b - 128];
    }
}

CsvWriter::CsvWriter(CsvDialect dialect, CsvSink sink) : dialect_(dialect), sink_(std::move(sink)) {
    if (sink_) out_.reserve(kChunk + 4096);
    if (!dialect_.cp1251 && dialect_.byteOrderMark) out_ = "\xEF\xBB\xBF";
}

void CsvWriter::separate() {
    if (rowStarted_) out_ += dialect_.delimiter;
    rowStarted_ = true;
}

void CsvWriter::put(std::string_view cell, bool fromCp1251) {
    separate();
    bool quote = false;
    for (char c : cell)
        quote = quote || c == dialect_.delimiter || c == '"' || c == '\r' || c == '\n';
    if (quote) out_ += '"';
    const std::size_t start = out_.size();
    if (fromCp1251 && !dialect_.cp1251)
        appendUtf8(out_, cell);
    else if (!fromCp1251 && dialect_.cp1251)
        out_ += utf8ToCp1251(cell);
    else
        out_ += cell;
    if (!quote) return;
    for (std::size_t i = start; i < out_.size(); ++i)
        if (out_[i] == '"') out_.insert(i++, 1, '"');
    out_ += '"';
}

void CsvWriter::text(std::string_view utf8) {
    put(utf8, false);
}
void CsvWriter::bytes(std::string_view cp1251) {
    put(cp1251, true);
}

void CsvWriter::number(unsigned n) {
    separate();
    char digits[16];
    char* end = digits + sizeof digits;
    char* at = end;
    do {
        *--at = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    out_.append(at, end);
}

void CsvWriter::endRow() {
    out_ += "\r\n";
    rowStarted_ = false;
    if (sink_ && out_.size() >= kChunk) finish();
}

void CsvWriter::finish() {
    if (!sink_ || out_.empty()) return;
    sink_(out_);
    out_.clear();
}

void recordsCsv(const RecordTable& table, int form, const CsvDialect& dialect,
                const CsvSink& sink) {
    CsvWriter csv(dialect, sink);
    const FormLayout* layout = table.layoutOf(form);
    csv.text("Файл");
    csv.text("Строка");
    for (const auto& f : layout->fields) csv.text(f.name);
    csv.endRow();
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        const RecordOutcome& o = table.outcomes()[r];
        if (o.kind != SplitKind::Split || o.form != form) continue;
        csv.text(table.fileName(r));
        csv.number(table.lines()[r].line);
        for (std::size_t k = 0; k < layout->fields.size(); ++k) csv.bytes(table.cell(r, k));
        csv.endRow();
    }
    csv.finish();
}

void totalsCsv(const Totals& totals, std::string_view keyColumn,
               const std::optional<std::string>& quantityColumn, const CsvDialect& dialect,
               const CsvSink& sink) {
    CsvWriter csv(dialect, sink);
    csv.text(keyColumn);
    csv.text("Записей");
    if (quantityColumn) csv.text(*quantityColumn);
    csv.endRow();
    for (const TotalRow& row : totals.rows) {
        csv.bytes(row.key);
        csv.text(std::to_string(row.records));
        if (quantityColumn) csv.text(row.quantity.text());
        csv.endRow();
    }
    csv.finish();
}

std::string recordsCsv(const RecordTable& table, int form, const CsvDialect& dialect) {
    std::string out;
    recordsCsv(table, form, dialect, [&out](std::string_view b) { out += b; });
    return out;
}

std::string totalsCsv(const Totals& totals, std::string_view keyColumn,
                      const std::optional<std::string>& quantityColumn, const CsvDialect& dialect) {
    std::string out;
    totalsCsv(totals, keyColumn, quantityColumn, dialect, [&out](std::string_view b) { out += b; });
    return out;
}

}  // namespace appgen::records
