#include "shell/records_table_dialog.h"

#include <cstdio>

#include "project/text.h"
#include "platform/utf8_file.h"
#include "project/utf8_path.h"
#include "records/csv_output.h"
#include "records/record_table.h"
#include "records/xlsx_output.h"
#include "shell/records_table_file.h"
#include "ui/builtin_templates.h"

namespace appgen::shell {
namespace {

constexpr char kCaption[] = "Таблица из данных";
constexpr std::size_t kUnsplitShown = 20;  // lines of the message; the rest are counted

bool readWhole(const std::string& path, std::string& bytes) {
    std::FILE* f = platform::openUtf8File(path, "rb");
    if (f == nullptr) return false;
    char chunk[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

std::string formList(const std::vector<int>& forms) {
    std::string out;
    for (std::size_t i = 0; i < forms.size(); ++i)
        out += (i ? ", " : "") + std::to_string(forms[i]);
    return out;
}

}  // namespace

void RecordsTableDialog::init(ui::Dialog& d) {
    std::vector<std::string> forms{utf8ToCp1251("(определить)")};
    for (int n = 1; n <= kFormCount; ++n)
        forms.push_back(utf8ToCp1251("Форма " + std::to_string(n)));
    d.setItems(kIdRecordsFormList, std::move(forms));
    d.select(kIdRecordsFormList, 0);
    showFiles(d);
}

void RecordsTableDialog::showFiles(ui::Dialog& d) {
    std::string text;
    for (const auto& f : files_) text += (text.empty() ? "" : "\n") + f;
    d.setText(kIdRecordsFiles, utf8ToCp1251(text));
}

void RecordsTableDialog::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.code != ui::Notify::Clicked) return;
    if (n.id == kIdRecordsAdd) {
        ui::FileDialogRequest r;
        r.filters = {{"Файлы данных (*.TXT)", "*.TXT"}, {"Все файлы (*.*)", "*.*"}};
        r.defaultExtension = "TXT";
        r.options = ui::kFileMustExist | ui::kHideReadOnly;
        if (auto path = ui_.fileDialog(r)) files_.push_back(*path);
        showFiles(d);
    } else if (n.id == kIdRecordsClear) {
        files_.clear();
        showFiles(d);
    } else if (n.id == kIdRecordsBrowse) {
        ui::FileDialogRequest r;
        r.kind = ui::FileDialogRequest::Kind::Save;
        r.filters = {{"Книга Excel (*.xlsx)", "*.xlsx"}, {"Таблица CSV (*.csv)", "*.csv"}};
        if (!records::xlsxAvailable()) r.filters.erase(r.filters.begin());
        r.defaultExtension = records::xlsxAvailable() ? "xlsx" : "csv";
        r.options = ui::kOverwritePrompt | ui::kHideReadOnly | ui::kPathMustExist;
        if (auto path = ui_.fileDialog(r)) {
            chosenOutput_ = *path;
            d.setText(kIdRecordsOutput, utf8ToCp1251(*path));
        }
    }
}

// The save dialog's path when the box still shows it (it may hold letters
// the box cannot), else what was typed.
std::string RecordsTableDialog::outputPath(const ui::Dialog& d) const {
    const std::string shown = d.text(kIdRecordsOutput);
    if (!chosenOutput_.empty() && shown == utf8ToCp1251(chosenOutput_)) return chosenOutput_;
    return cp1251ToUtf8(shown);
}

void RecordsTableDialog::tell(const std::string& text, const std::string& detail) {
    ui::MessageBoxRequest box;
    box.caption = kCaption;
    box.text = text;
    box.detail = detail;
    box.icon = ui::Icon::Warning;
    ui_.messageBox(box);
}

void RecordsTableDialog::ok(ui::Dialog& d) {
    const std::string out = outputPath(d);
    const bool xlsx = isXlsxPath(out);
    if (files_.empty()) return tell("Выберите файлы данных (кнопка «Добавить...»).");
    if (!xlsx && !isCsvTablePath(out)) return tell("Укажите файл таблицы: .xlsx или .csv.");
    if (xlsx && !records::xlsxAvailable())
        return tell("Таблица .xlsx в этой версии недоступна; выберите файл .csv.");

    std::vector<records::RecordFile> files;
    for (const auto& name : files_) {
        records::RecordFile f{name, {}};
        if (!readWhole(name, f.bytes)) return tell("Не удаётся прочитать файл " + name + ".");
        files.push_back(std::move(f));
    }
    const int choice = d.selection(kIdRecordsFormList);
    std::vector<records::FormLayout> layouts;
    for (int form :
         records::candidateForms(project_, choice > 0 ? std::optional<int>(choice) : std::nullopt))
        layouts.push_back(records::formLayout(project_, form));
    const records::RecordTable table(std::move(files), std::move(layouts));

    platform::FileWriteResult written;
    if (xlsx) {
        written = writeWorkbookFile(out, table, {});
    } else {
        std::vector<int> forms = table.formsWithRecords();
        if (forms.size() > 1)
            return tell(
                "Записи нескольких форм (" + formList(forms) + "), а таблица CSV вмещает одну.",
                "Выберите форму или запишите таблицу .xlsx: в ней у каждой формы свой лист.");
        if (forms.empty() && choice > 0) forms.push_back(choice);
        if (forms.empty() && !table.layouts().empty())
            forms.push_back(table.layouts().front().form);
        if (forms.empty())
            return tell("В задаче нет формы, которая сохраняет записи в файле терминала.");
        written = writeCsvFile(out, [&](const records::CsvSink& sink) {
            records::recordsCsv(table, forms.front(), {}, sink);
        });
    }
    if (!written.ok) return tell("Не удаётся записать таблицу " + out + ".", written.reason);

    split = table.splitCount();
    unsplit = table.unsplitCount();
    const std::string counts = "Разобрано записей: " + std::to_string(split) +
                               ", не разобрано: " + std::to_string(unsplit) + ".";
    d.setText(kIdRecordsResult, utf8ToCp1251(counts));
    std::string detail;
    std::size_t listed = 0;
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        if (table.outcomes()[r].kind == records::SplitKind::Split) continue;
        if (listed++ < kUnsplitShown)
            detail += (detail.empty() ? "" : "\n") + table.fileName(r) + ", строка " +
                      std::to_string(table.lines()[r].line) + ": " + table.reason(r);
    }
    if (listed > kUnsplitShown)
        detail += "\n... и ещё " + std::to_string(listed - kUnsplitShown) + ".";

    ui::MessageBoxRequest box;
    box.caption = kCaption;
    box.text = "Таблица записана: " + out + "\n" + counts + "\nОткрыть таблицу?";
    box.detail = detail;
    box.buttons = ui::Buttons::YesNo;
    box.icon = unsplit > 0 ? ui::Icon::Warning : ui::Icon::Question;
    if (ui_.messageBox(box) == ui::Answer::Yes) ui_.launchViewer(out);
    d.end(ui::kIdOk);
}

void makeRecordsTable(ui::Services& ui, const Project& p) {
    RecordsTableDialog handler(p, ui);
    ui::Dialog d(ui::dialogTemplate("RECORDSDLG"), handler);
    ui.runDialog(d);
}

}  // namespace appgen::shell
