#include "shell/lookup_csv_download.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "link/link_messages.h"
#include "link/utf8_lookup.h"
#include "project/lookup_csv.h"
#include "project/text.h"
#include "platform/lookup_file_reader.h"
#include "project/utf8_path.h"
#include "ui/builtin_templates.h"

namespace appgen::shell {
namespace {

// A message box holds this many problems; the rest are counted.
constexpr std::size_t kProblemsShown = 20;

void showRefusal(ui::Services& ui, int lookup, const LookupImport& r) {
    std::vector<std::string> lines = r.layoutErrors;
    for (const auto& p : r.problems) lines.push_back(describe(p));
    ui::MessageBoxRequest box;
    box.caption = link::msg::kError;
    box.icon = ui::Icon::Warning;
    box.text = r.layoutErrors.empty()
                   ? "The file does not fit lookup " + std::to_string(lookup + 1) + "; nothing was sent."
                   : "Lookup " + std::to_string(lookup + 1) + " cannot take records; nothing was sent.";
    for (std::size_t i = 0; i < lines.size() && i < kProblemsShown; ++i)
        box.detail += (i ? "\n" : "") + lines[i];
    if (lines.size() > kProblemsShown)
        box.detail += "\n... and " + std::to_string(lines.size() - kProblemsShown) + " more.";
    ui.messageBox(box);
}

// A lookup file in UTF-8: Да converts it, Нет sends it as it is, Отмена sends nothing.
link::Utf8LookupChoice askUtf8(ui::Services& ui) {
    ui::MessageBoxRequest box;
    box.caption = link::msg::kDownload;
    box.text = "Файл записан в UTF-8, а терминал читает Windows-1251: без перекодировки "
               "русские буквы придут искажёнными.\nПерекодировать файл в Windows-1251?";
    box.detail = "Да — перекодировать и отправить; Нет — отправить как есть; Отмена — ничего не отправлять.";
    box.buttons = ui::Buttons::YesNoCancel;
    box.icon = ui::Icon::Question;
    switch (ui.messageBox(box)) {
        case ui::Answer::Yes: return link::Utf8LookupChoice::Convert;
        case ui::Answer::No: return link::Utf8LookupChoice::SendAsIs;
        default: return link::Utf8LookupChoice::Stop;
    }
}

}  // namespace

void LookupCsvDialog::init(ui::Dialog& d) {
    d.setItems(kIdCsvLookupList,
               {utf8ToCp1251("1ая база"), utf8ToCp1251("2ая база"), utf8ToCp1251("3я база")});
    int first = 0;
    for (int k = kLookupCount - 1; k >= 0; --k)
        if (layoutProblems(lookupLayout(project_.lookups[k])).empty()) first = k;
    d.select(kIdCsvLookupList, first);
    d.check(kIdCsvHeaderCheck, preview_.header);
    showLineCount(d);
}

void LookupCsvDialog::showLineCount(ui::Dialog& d) {
    const int lines = std::max(0, preview_.rows - (d.checked(kIdCsvHeaderCheck) ? 1 : 0));
    d.setText(kIdCsvLineCount, utf8ToCp1251("Будет отправлено строк: " + std::to_string(lines)));
}

void LookupCsvDialog::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.id == kIdCsvHeaderCheck && n.code == ui::Notify::Clicked) {
        d.check(kIdCsvHeaderCheck, !d.checked(kIdCsvHeaderCheck));
        showLineCount(d);
    }
}

void LookupCsvDialog::ok(ui::Dialog& d) {
    lookup = std::max(0, d.selection(kIdCsvLookupList));
    skipHeader = d.checked(kIdCsvHeaderCheck);
    d.end(ui::kIdOk);
}

bool isCsvPath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".csv";
}

link::LookupFileUse lookupFileUse(ui::Services& ui, const Project& p, const std::string& path) {
    using Action = link::LookupFileUse::Action;
    if (!isCsvPath(path)) return link::utf8LookupFileUse(platform::openLookupFile, path, [&ui] { return askUtf8(ui); });
    std::ifstream in(utf8Path(path), std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) {
        ui::MessageBoxRequest box;
        box.caption = link::msg::kError;
        box.text = link::msg::kCantOpenFile;
        box.icon = ui::Icon::Warning;
        box.hasOwner = false;
        ui.messageBox(box);
        return {Action::Stop, {}};
    }

    int firstColumns = 0;
    for (int k = kLookupCount - 1; k >= 0; --k)
        if (const auto layout = lookupLayout(p.lookups[k]); layoutProblems(layout).empty())
            firstColumns = static_cast<int>(layout.fields.size());
    LookupCsvDialog handler(p, previewCsv(text.str(), firstColumns));
    ui::Dialog d(ui::dialogTemplate("LOOKUPCSVDLG"), handler);
    if (ui.runDialog(d) != ui::kIdOk) return {Action::Stop, {}};

    LookupImport r = importCsvLookup(text.str(), p.lookups[handler.lookup], {std::nullopt, handler.skipHeader});
    if (!r.ok()) {
        showRefusal(ui, handler.lookup, r);
        return {Action::Stop, {}};
    }
    return {Action::SendLines, std::move(r.lines)};
}

}  // namespace appgen::shell
