#include "records/xlsx_output.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "records/csv_output.h"

namespace appgen::records {
namespace {

constexpr double kMinWidth = 8;
constexpr double kMaxWidth = 60;

std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A worksheet written row by row, keeping each column's widest text.
class Sheet {
  public:
    Sheet(lxw_workbook* book, const std::string& name, lxw_format* bold,
          const std::vector<std::string>& header)
        : sheet_(workbook_add_worksheet(book, name.c_str())), widths_(header.size(), kMinWidth) {
        for (std::size_t c = 0; c < header.size(); ++c) {
            worksheet_write_string(sheet_, 0, static_cast<lxw_col_t>(c), header[c].c_str(), bold);
            widen(c, characters(header[c]) + 2);
        }
        worksheet_freeze_panes(sheet_, 1, 0);
    }
    ~Sheet() {
        for (std::size_t c = 0; c < widths_.size(); ++c)
            worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 widths_[c], nullptr);
    }
    void text(std::size_t col, std::string_view utf8) {
        cell_.assign(utf8);
        worksheet_write_string(sheet_, row_, static_cast<lxw_col_t>(col), cell_.c_str(), nullptr);
        widen(col, characters(utf8));
    }
    void bytes(std::size_t col, std::string_view cp1251) {
        utf8_.clear();
        appendUtf8(utf8_, cp1251);
        text(col, utf8_);
    }
    void number(std::size_t col, double value, std::size_t shown) {
        worksheet_write_number(sheet_, row_, static_cast<lxw_col_t>(col), value, nullptr);
        widen(col, shown);
    }
    void nextRow() { ++row_; }
    lxw_row_t row() const { return row_; }

  private:
    void widen(std::size_t col, std::size_t chars) {
        widths_[col] = std::min(kMaxWidth, std::max(widths_[col], static_cast<double>(chars) + 1));
    }
    lxw_worksheet* sheet_;
    std::vector<double> widths_;
    lxw_row_t row_ = 1;
    std::string cell_;
    std::string utf8_;
};

void formSheet(lxw_workbook* book, lxw_format* bold, const RecordTable& table,
               const FormLayout& layout) {
    std::vector<std::string> header = {"Файл", "Строка"};
    for (const auto& f : layout.fields) header.push_back(f.name);
    Sheet sheet(book, "Форма " + std::to_string(layout.form), bold, header);
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        const RecordOutcome& o = table.outcomes()[r];
        if (o.kind != SplitKind::Split || o.form != layout.form) continue;
        sheet.text(0, table.fileName(r));
        sheet.number(1, table.lines()[r].line, 6);
        for (std::size_t k = 0; k < layout.fields.size(); ++k) {
            const std::string_view cell = table.cell(r, k);
            const u8 type = layout.fields[k].type;
            if ((type == kLineInteger || type == kLineDecimal) && isPlainNumber(cell))
                sheet.number(k + 2, plainNumberValue(cell), cell.size());
            else
                sheet.bytes(k + 2, cell);
        }
        sheet.nextRow();
    }
}

void unsplitSheet(lxw_workbook* book, lxw_format* bold, const RecordTable& table) {
    Sheet sheet(book, "Не разобрано", bold, {"Файл", "Строка", "Причина", "Запись"});
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        if (table.outcomes()[r].kind == SplitKind::Split) continue;
        sheet.text(0, table.fileName(r));
        sheet.number(1, table.lines()[r].line, 6);
        sheet.text(2, table.reason(r));
        sheet.bytes(3, table.bytes(r));
        sheet.nextRow();
    }
}

void totalsSheet(lxw_workbook* book, lxw_format* bold, const TotalsRequest& t) {
    std::vector<std::string> header = {t.keyColumn, "Записей"};
    if (t.quantityColumn) header.push_back(*t.quantityColumn);
    Sheet sheet(book, "Итоги", bold, header);
    for (const TotalRow& row : t.totals->rows) {
        sheet.bytes(0, row.key);
        sheet.number(1, static_cast<double>(row.records), std::to_string(row.records).size());
        if (t.quantityColumn) sheet.number(2, row.quantity.value(), row.quantity.text().size());
        sheet.nextRow();
    }
}

}  // namespace

bool xlsxAvailable() {
    return true;
}

XlsxResult writeRecordsXlsx(const std::string& path, const RecordTable& table,
                            const TotalsRequest& totals) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (book == nullptr) return {false, "the workbook cannot be started"};
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);

    std::vector<int> forms = table.formsWithRecords();
    if (forms.empty() && !table.layouts().empty()) forms.push_back(table.layouts().front().form);
    for (int form : forms) formSheet(book, bold, table, *table.layoutOf(form));
    if (table.unsplitCount() > 0 || forms.empty()) unsplitSheet(book, bold, table);
    if (totals.totals != nullptr) totalsSheet(book, bold, totals);

    const lxw_error err = workbook_close(book);
    if (err != LXW_NO_ERROR) return {false, lxw_strerror(err)};
    return {true, {}};
}

}  // namespace appgen::records
