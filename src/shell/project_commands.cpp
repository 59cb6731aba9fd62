#include "shell/project_commands.h"

#include <cctype>

#include "platform/safe_file.h"
#include "project/project_file.h"

namespace appgen::shell {
namespace {

const ui::FileFilter kProjectFilter{"Файлы Генератора Приложений (*.TGP)", "*.TGP"};
const ui::FileFilter kTemplateFilter{"Файлы Шаблона Приложений (*.TGT)", "*.TGT"};
const ui::FileFilter kAllFilter{"All files (*.*)", "*.*"};

void error(ui::Services& ui, const std::string& text) {
    ui.messageBox({"Error", text, ui::Buttons::Ok, ui::Icon::Warning});
}

bool fitsFileName(const std::string& name, ui::Services& ui) {
    if (name.size() <= kMaxFileName) return true;
    error(ui, "The file name is too long: at most " + std::to_string(kMaxFileName) +
                  " characters are allowed.\n" + name);
    return false;
}

bool write(Workspace& ws, ui::Services& ui) {
    const platform::FileWriteResult r = platform::replaceFile(ws.fileName, projectFileImage(ws.project));
    if (r.ok) return true;
    error(ui, "Can't save the file!\n" + ws.fileName + "\n" + r.reason);
    return false;
}

}  // namespace

std::string withProjectSuffix(const std::string& name) {
    const std::size_t n = name.size();
    const bool hasSuffix = n >= 4 && name[n - 4] == '.' &&
                           std::toupper(static_cast<unsigned char>(name[n - 3])) == 'T' &&
                           std::toupper(static_cast<unsigned char>(name[n - 2])) == 'G' &&
                           std::toupper(static_cast<unsigned char>(name[n - 1])) == 'P';
    return hasSuffix ? name : name + ".TGP";
}

bool openProject(Workspace& ws, ui::Services& ui) {
    ws.fileName.clear();
    ui::FileDialogRequest request;
    request.kind = ui::FileDialogRequest::Kind::Open;
    request.filters = {kProjectFilter, kTemplateFilter, kAllFilter};
    request.options = ui::kFileMustExist | ui::kHideReadOnly;
    const auto chosen = ui.fileDialog(request);
    if (!chosen || !fitsFileName(*chosen, ui)) return false;

    const ReadResult r = readProjectFile(*chosen, ws.project);
    switch (r.status) {
        case ReadStatus::CannotOpen:
            return false;
        case ReadStatus::FormatMismatch:
            error(ui, "Format mismatch !!!");
            return false;
        case ReadStatus::Short:
            ui.messageBox({"Warning",
                           "The file is shorter than a project file should be.\n"
                           "What it does not hold keeps its default values.",
                           ui::Buttons::Ok, ui::Icon::Warning});
            break;
        case ReadStatus::Ok:
            break;
    }
    // An older file is never written back under its own name.
    if (!r.converted) ws.fileName = *chosen;
    return true;
}

bool saveProject(Workspace& ws, ui::Services& ui) {
    if (ws.fileName.empty()) return saveProjectAs(ws, ui);
    return write(ws, ui);
}

bool saveProjectAs(Workspace& ws, ui::Services& ui) {
    ui::FileDialogRequest request;
    request.kind = ui::FileDialogRequest::Kind::Save;
    request.filters = {kProjectFilter};
    request.defaultExtension = "TGP";
    request.options = ui::kOverwritePrompt | ui::kHideReadOnly | ui::kPathMustExist;
    const auto chosen = ui.fileDialog(request);
    if (!chosen) return false;
    const std::string name = withProjectSuffix(*chosen);
    if (!fitsFileName(name, ui)) return false;
    ws.fileName = name;
    return write(ws, ui);
}

}  // namespace appgen::shell
