#include "shell/application.h"

#include "editor/editor_sheet.h"
#include "link/download.h"
#include "link/link_messages.h"
#include "link/port_choice.h"
#include "link/program_image.h"
#include "link/upload.h"
#include "platform/lookup_file_reader.h"
#include "platform/record_file.h"
#include "platform/system_port_directory.h"
#include "platform/viewer.h"
#include "shell/about_dialog.h"
#include "shell/com_settings_dialog.h"
#include "shell/lookup_csv_download.h"
#include "shell/records_table_dialog.h"
#include "shell/project_commands.h"
#include "shell/services_operator_panel.h"
#include "shell/viewer_fallback.h"
#include "simulator/key_codes.h"
#include "ui/builtin_templates.h"
#include "ui/dialog.h"
#include "ui/forwarding_services.h"

namespace appgen::shell {

Application::Application(Environment env)
    : env_(std::move(env)),
      systemPorts_(env_.ports ? nullptr : std::make_unique<platform::SystemPortDirectory>()),
      sim_(std::make_unique<simulator::Simulator>(ws_.project, static_cast<SimulatorHost&>(*this),
                                                  env_.clock, env_.repaint)) {}

Application::~Application() = default;

void Application::start() {
    resetAll();
    sim_->setRecordCount(0);
    sim_->start();
}

void Application::resetAll() {
    resetBarcodeSettings(ws_.project);
    resetProject(ws_.project);
}

void Application::command(int id) {
    if (closed_) return;
    ++depth_;
    dispatch(id);
    --depth_;
    if (depth_ == 0) runPostedCommands();
}

void Application::clickKey(int code) {
    if (closed_) return;
    ++depth_;
    sim_->clickKey(code);
    --depth_;
    if (depth_ == 0) runPostedCommands();
}

void Application::tick() {
    if (!closed_) sim_->tick();
}

void Application::tickWhileTransferring() {
    if (!closed_ && !sim_->multiTap().charPending) sim_->tick();
}

// Posted commands wait for the one that runs to return, as posted messages do.
void Application::runPostedCommands() {
    if (depth_ > 0) return;  // the command that runs takes them when it returns
    while (!posted_.empty() && !closed_) {
        const int id = posted_.front();
        posted_.pop_front();
        ++depth_;
        dispatch(id);
        --depth_;
    }
    posted_.clear();
}

void Application::postCommand(int command) { posted_.push_back(command); }

void Application::warningBox(const std::string& text, const std::string& caption) {
    env_.ui.messageBox({caption, text, ui::Buttons::Ok, ui::Icon::Warning});
}

void Application::dispatch(int id) {
    switch (id) {
        case kCmdNew: newProject(); break;
        case kCmdOpen: openProject(); break;
        case kCmdSave:
            if (saveProject(ws_, env_.ui)) ws_.modified = false;
            break;
        case kCmdSaveAs:
            if (saveProjectAs(ws_, env_.ui)) ws_.modified = false;
            break;
        case kCmdExit: requestClose(); break;
        case kCmdEdit: edit(); break;
        case kCmdComSettings: comSettings(); break;
        case kCmdDownloadDirect: download(false, false); break;
        case kCmdDownloadCradle: download(true, false); break;
        case kCmdLookupDirect: download(false, true); break;
        case kCmdLookupCradle: download(true, true); break;
        case kCmdUploadDirect: upload(false); break;
        case kCmdUploadCradle: upload(true); break;
        case kCmdRecordsTable: makeRecordsTable(env_.ui, ws_.project); break;
        case kCmdHelpContents: env_.ui.showHelp(env_.helpFile, false); break;
        case kCmdHelpFinder: env_.ui.showHelp(env_.helpFile, true); break;
        case kCmdAbout: about(); break;
        default: break;  // not a command of this window
    }
}

// A Yes whose save fails or is cancelled stops the command, so the unsaved
// project is never dropped without the operator's say.
bool Application::saveChangesFirst(const char* question) {
    if (!ws_.modified) return true;
    const ui::Answer a = env_.ui.messageBox(
        {kQuestionCaption, question, ui::Buttons::YesNoCancel, ui::Icon::Warning});
    switch (a) {
        case ui::Answer::Yes: return saveProject(ws_, env_.ui);
        case ui::Answer::No: return true;
        default: return false;
    }
}

void Application::newProject() {
    if (!saveChangesFirst("Save current program ?")) return;
    sim_->setRecordCount(0);
    ws_.fileName.clear();
    ws_.modified = false;
    resetAll();
    edit();
}

void Application::openProject() {
    if (!saveChangesFirst("Save current program ?")) return;
    sim_->setRecordCount(0);
    ws_.modified = false;
    resetAll();
    if (shell::openProject(ws_, env_.ui)) edit();
}

bool Application::requestClose() {
    if (closed_) return true;
    if (!saveChangesFirst("Save the program ?")) return false;
    closed_ = true;
    return true;
}

void Application::edit() {
    editor::EditorHooks hooks;
    hooks.resetSimulator = [this] { sim_->pressKey(simulator::kCommandReset); };
    hooks.redrawTerminal = [this] { sim_->showMainScreen(true); };
    const editor::EditorOutcome outcome = editor::runEditor(ws_, env_.ui, hooks);
    if (outcome.utilitiesEntries) sim_->setUtilitiesEntries(*outcome.utilitiesEntries);
}

void Application::comSettings() {
    ComSettingsDialog handler(ws_.project.port, env_.ports ? *env_.ports : *systemPorts_, env_.ui);
    ui::Dialog d(ui::dialogTemplate("COMSETTINGDLG"), handler);
    env_.ui.runDialog(d);
}

void Application::about() {
    AboutDialog handler;
    ui::Dialog d(ui::dialogTemplate("ABOUTBOX"), handler);
    env_.ui.runDialog(d);
}

void Application::download(bool cradle, bool lookup) {
    ServicesOperatorPanel panel(env_.ui);
    link::LinkContext ctx{env_.port, env_.ticks, panel, linkState_, env_.timings};
    const link::PortChoice choice = link::portChoiceOf(ws_.project.port);
    if (lookup) {
        // A spreadsheet export is converted for the lookup the operator names first.
        link::downloadLookup(ctx, choice, cradle, platform::openLookupFile, [this](const std::string& path) {
            return lookupFileUse(env_.ui, ws_.project, path);
        });
        return;
    }
    // Each attempt compiles the project anew, normalising it in place.
    link::downloadProgram(ctx, choice, cradle, [this] {
        const link::ProgramImage image = link::compile(ws_.project);
        return std::vector<std::uint8_t>(image.begin(), image.end());
    });
}

void Application::upload(bool cradle) {
    ViewerFallback ui(env_.ui, [this]() -> FolderOpener {
        if (env_.folderOpener) return *env_.folderOpener;
        return platform::folderOpener();
    });
    ServicesOperatorPanel panel(ui);
    link::LinkContext ctx{env_.port, env_.ticks, panel, linkState_, env_.timings};
    const auto records = platform::makeRecordFile();
    link::upload(ctx, link::portChoiceOf(ws_.project.port), cradle, *records);
}

}  // namespace appgen::shell
