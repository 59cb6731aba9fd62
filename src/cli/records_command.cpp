// appgen-cli records: the records of upload files split by the project's
// forms, as a JSON listing, a CSV or a workbook, optionally totalled.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/option_reader.h"
#include "platform/safe_file.h"
#include "project/text.h"
#include "platform/utf8_file.h"
#include "project/utf8_path.h"
#include "records/csv_output.h"
#include "records/record_table.h"
#include "records/totals.h"
#include "records/xlsx_output.h"
#include "shell/records_table_file.h"

namespace appgen::cli {
namespace {

using namespace appgen::records;

constexpr int kExitError = 2;

constexpr char kUsage[] =
    "usage: appgen-cli records PROJECT FILE... [--form N] [--json | -o OUT.csv | -o OUT.xlsx]\n"
    "                          [--delimiter C] [--encoding utf-8|cp1251]\n"
    "                          [--totals COLUMN [--quantity COLUMN]]\n"
    "Splits the records of upload files (one per terminal, read in order) into the\n"
    "fields of the form of PROJECT that made them: form N alone with --form, else\n"
    "every form that keeps its records. A record is split only when exactly one\n"
    "reading of it exists; the others are listed with the reason. Forms whose\n"
    "records can read two ways (a line of free length before another) are named:\n"
    "a fixed length or a suffix on such lines makes every record read one way.\n"
    "  --json          one JSON line per record (with --totals: per total)\n"
    "  -o OUT.csv      one form's records as CSV (';' and UTF-8 with a byte-order mark\n"
    "                  unless --delimiter and --encoding say otherwise); without -o\n"
    "                  the CSV goes to standard output\n"
    "  -o OUT.xlsx     a workbook: a sheet per form, \"Не разобрано\", \"Итоги\"%s\n"
    "  --totals COLUMN one row per value of COLUMN with the number of records and,\n"
    "                  with --quantity, the sum of that column\n"
    "Exit status: 0 every record split, 1 some were not (or a quantity is not a\n"
    "number), 2 an error.\n";

struct RecordsArgs {
    std::string project;
    std::vector<std::string> files;
    std::optional<int> form;
    bool json = false;
    std::string output;
    CsvDialect dialect;
    std::optional<std::string> totals;
    std::optional<std::string> quantity;
};

void printUsage(std::FILE* out) {
    std::fprintf(out, kUsage,
                 xlsxAvailable() ? "" : "\n                  (not available in this build)");
}

bool endsWithNoCase(const std::string& s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    return std::equal(
        tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
        [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

std::optional<RecordsArgs> parse(const Args& args) {
    RecordsArgs out;
    OptionReader r(args);
    while (r.next()) {
        const std::string& a = r.arg();
        if (a == "--form") {
            if (auto v = r.value()) {
                const int n = std::atoi(v->c_str());
                if (n >= 1 && n <= kFormCount && std::to_string(n) == *v)
                    out.form = n;
                else
                    r.refuse();
            }
        } else if (a == "--json") {
            out.json = true;
        } else if (a == "-o") {
            if (auto v = r.value()) out.output = *v;
        } else if (a == "--delimiter") {
            if (auto v = r.value()) {
                if (const auto d = delimiterOption(*v))
                    out.dialect.delimiter = *d;
                else
                    r.refuse();
            }
        } else if (a == "--encoding") {
            if (auto v = r.value()) {
                if (*v == "utf-8" || *v == "UTF-8" || *v == "utf8")
                    out.dialect.cp1251 = false;
                else if (*v == "cp1251" || *v == "CP1251" || *v == "windows-1251")
                    out.dialect.cp1251 = true;
                else
                    r.refuse();
            }
        } else if (a == "--totals") {
            if (auto v = r.value()) out.totals = *v;
        } else if (a == "--quantity") {
            if (auto v = r.value()) out.quantity = *v;
        } else if (a.starts_with("-") && a != "-") {
            r.refuse();
        } else if (out.project.empty()) {
            out.project = a;
        } else {
            out.files.push_back(a);
        }
    }
    const bool bad = r.bad() || out.project.empty() || out.files.empty() || (out.json && !out.output.empty()) ||
          (out.quantity && !out.totals) ||
          (!out.output.empty() && !endsWithNoCase(out.output, ".csv") &&
           !endsWithNoCase(out.output, ".xlsx"));
    if (bad) {
        printUsage(stderr);
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> readFile(const std::string& path) {
    std::FILE* f = platform::openUtf8File(path, "rb");
    if (f == nullptr) {
        std::fprintf(stderr, "Error: cannot open %s\n", path.c_str());
        return std::nullopt;
    }
    // Read straight into one string: a million records take no second copy.
    std::string bytes;
    std::error_code ec;
    const auto size = std::filesystem::file_size(utf8Path(path), ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    char chunk[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        std::fprintf(stderr, "Error: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    return bytes;
}

std::string formList(const std::vector<int>& forms) {
    std::string out;
    for (std::size_t i = 0; i < forms.size(); ++i)
        out += (i ? ", " : "") + std::to_string(forms[i]);
    return out;
}

std::string utf8Of(std::string_view cp1251) {
    std::string out;
    appendUtf8(out, cp1251);
    return out;
}

void printJsonRecords(const RecordTable& table) {
    std::string line;
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        const RecordOutcome& o = table.outcomes()[r];
        line = "{\"file\":" + jsonString(table.fileName(r)) +
               ",\"line\":" + std::to_string(table.lines()[r].line);
        if (o.kind == SplitKind::Split) {
            line += ",\"form\":" + std::to_string(o.form) + ",\"fields\":[";
            const FormLayout& layout = *table.layoutOf(o.form);
            for (std::size_t k = 0; k < layout.fields.size(); ++k) {
                line += (k ? ",{\"name\":" : "{\"name\":") + jsonString(layout.fields[k].name) +
                        ",\"text\":" + jsonString(utf8Of(table.fieldText(r, k))) + "}";
            }
            line += "]";
        } else {
            line += ",\"form\":null";
            if (o.kind == SplitKind::Ambiguous)
                line += ",\"ambiguous\":[" + formList(table.fittingForms(r)) + "]";
            line += ",\"raw\":" + jsonString(utf8Of(table.bytes(r)));
        }
        line += "}\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

void printJsonTotals(const Totals& totals, bool withQuantity) {
    for (const TotalRow& row : totals.rows) {
        std::string line = "{\"key\":" + jsonString(utf8Of(row.key)) +
                           ",\"records\":" + std::to_string(row.records);
        if (withQuantity) line += ",\"quantity\":" + row.quantity.text();
        line += "}\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

void listUnsplit(const RecordTable& table) {
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        if (table.outcomes()[r].kind == SplitKind::Split) continue;
        std::fprintf(stderr, "%s:%u: %s\n", table.fileName(r).c_str(), table.lines()[r].line,
                     table.reason(r).c_str());
    }
}

bool writeCsv(const std::string& path, const std::function<void(const CsvSink&)>& csv) {
    const auto written = shell::writeCsvFile(path, csv);
    if (!written.ok)
        std::fprintf(stderr, "Error: cannot write %s: %s\n", path.c_str(), written.reason.c_str());
    return written.ok;
}

bool writeXlsx(const std::string& path, const RecordTable& table, const TotalsRequest& totals) {
    const auto written = shell::writeWorkbookFile(path, table, totals);
    if (!written.ok)
        std::fprintf(stderr, "Error: cannot write %s: %s\n", path.c_str(), written.reason.c_str());
    return written.ok;
}

}  // namespace

int runRecords(const Args& args) {
    if (wantsHelp(args)) return printUsage(stdout), kExitOk;
    const auto a = parse(args);
    if (!a) return kExitUsage;
    const bool xlsx = endsWithNoCase(a->output, ".xlsx");
    if (xlsx && !xlsxAvailable()) {
        std::fprintf(stderr, "Error: .xlsx is not available in this build; write a .csv instead\n");
        return kExitError;
    }

    Workspace ws;
    resetWorkspace(ws);
    if (!openProjectFile(a->project, ws)) return kExitError;
    std::vector<RecordFile> files;
    for (const auto& name : a->files) {
        auto bytes = readFile(name);
        if (!bytes) return kExitError;
        files.push_back({name, std::move(*bytes)});
    }

    std::vector<FormLayout> layouts;
    for (int form : candidateForms(ws.project, a->form))
        layouts.push_back(formLayout(ws.project, form));
    if (layouts.empty())
        std::fprintf(stderr, "Warning: no form of %s keeps its records in the terminal's file\n",
                     a->project.c_str());
    for (const std::string* column :
         {a->totals ? &*a->totals : nullptr, a->quantity ? &*a->quantity : nullptr}) {
        if (column && !anyFormHasColumn(layouts, *column)) {
            std::fprintf(stderr, "Error: no form has the column \"%s\"\n", column->c_str());
            return kExitError;
        }
    }
    for (const FormLayout& l : layouts) {
        if (layoutCanBeAmbiguous(l))
            std::fprintf(stderr,
                         "Note: form %d's records can split more than one way (a field of free "
                         "length before "
                         "another); a fixed length or a suffix on such lines avoids it\n",
                         l.form);
    }

    const RecordTable table(std::move(files), std::move(layouts));
    std::optional<Totals> totals;
    if (a->totals) totals = totalsOf(table, *a->totals, a->quantity);

    if (a->json) {
        if (totals)
            printJsonTotals(*totals, a->quantity.has_value());
        else
            printJsonRecords(table);
    } else if (xlsx) {
        listUnsplit(table);
        TotalsRequest request{totals ? &*totals : nullptr, a->totals.value_or(""), a->quantity};
        if (!writeXlsx(a->output, table, request)) return kExitError;
    } else {
        CsvDialect dialect = a->dialect;
        if (a->output.empty()) dialect.byteOrderMark = false;
        std::function<void(const CsvSink&)> csv;
        if (totals) {
            csv = [&](const CsvSink& sink) {
                totalsCsv(*totals, *a->totals, a->quantity, dialect, sink);
            };
        } else {
            std::vector<int> forms = table.formsWithRecords();
            if (forms.size() > 1) {
                std::fprintf(
                    stderr,
                    "Error: the records are of forms %s, and a CSV holds one form: give --form N, "
                    "or write an .xlsx (a sheet per form)%s\n",
                    formList(forms).c_str(), a->output.empty() ? "" : "; nothing was written");
                return kExitError;
            }
            if (forms.empty() && table.layouts().size() == 1)
                forms.push_back(table.layouts().front().form);
            if (forms.empty()) {
                csv = [&](const CsvSink& sink) {
                    CsvWriter header(dialect, sink);
                    header.text("Файл");
                    header.text("Строка");
                    header.endRow();
                    header.finish();
                };
            } else {
                csv = [&, form = forms.front()](const CsvSink& sink) {
                    recordsCsv(table, form, dialect, sink);
                };
            }
        }
        listUnsplit(table);
        if (a->output.empty())
            csv([](std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); });
        else if (!writeCsv(a->output, csv))
            return kExitError;
    }

    bool failed = table.unsplitCount() > 0;
    if (totals) {
        for (std::size_t r : totals->notNumbers) {
            std::fprintf(stderr, "%s:%u: \"%s\" is not a number; it is not added to the totals\n",
                         table.fileName(r).c_str(), table.lines()[r].line,
                         utf8Of(table.cell(r, columnIndex(*table.layoutOf(table.outcomes()[r].form),
                                                          *a->quantity)))
                             .c_str());
        }
        failed = failed || !totals->notNumbers.empty();
    }
    return failed ? kExitFailure : kExitOk;
}

}  // namespace appgen::cli
