// The application: the one project, the simulated terminal and the command
// dispatcher of the main window. Front ends (the Qt window, appgen-cli script,
// the tests) own one, feed it commands, key clicks and timer ticks, and draw
// what it shows; everything they must not decide lives here.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/link_context.h"
#include "link/port_directory.h"
#include "link/serial_port.h"
#include "link/tick_clock.h"
#include "project/project.h"
#include "simulator/sim_interfaces.h"
#include "simulator/simulator.h"
#include "ui/services.h"

namespace appgen::shell {

// Command identifiers of the popup menu, the accelerators and the editor.
enum Command : int {
    kCmdNew = 1010,
    kCmdOpen = 1020,
    kCmdSave = 1030,
    kCmdSaveAs = 1040,
    kCmdExit = 1090,
    kCmdEdit = 2000,
    kCmdComSettings = 2100,
    kCmdDownloadDirect = 3020,
    kCmdDownloadCradle = 3021,
    kCmdUploadDirect = 3030,
    kCmdUploadCradle = 3031,
    kCmdLookupDirect = 3040,
    kCmdLookupCradle = 3041,
    kCmdRecordsTable = 3050,  // "Таблица из данных...": records files to a table
    kCmdHelpContents = 9010,
    kCmdHelpFinder = 9020,
    kCmdAbout = 9030,
};

// The main window's caption and the unsaved-changes question's.
inline constexpr const char* kMainWindowTitle = "Генератор Приложений";
inline constexpr const char* kQuestionCaption = "Генератор Приложений для DTR4610";

// What the application works with; all of it outlives the application.
struct Environment {
    ui::Services& ui;
    link::SerialPort& port;       // the PC's serial port, opened by each transfer
    link::TickClock& ticks;       // the transfers' millisecond clock
    simulator::LocalClock& clock; // the simulator's date and time
    simulator::RepaintSink& repaint;
    std::string helpFile;         // the help document that 9010 and 9020 show
    link::LinkTimings timings{};
    // The machine's serial devices and the user's port map; null: this
    // machine's own, as the desktop and the command line have them.
    link::PortDirectory* ports = nullptr;
    // Shows a folder in the file manager, offered when the upload's viewer
    // fails; unset: this machine's, where one is known to work; an empty
    // function: none.
    std::optional<std::function<bool(const std::string&)>> folderOpener{};
};

class Application : private simulator::SimulatorHost {
public:
    explicit Application(Environment env);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up: both resets and the terminal's main screen. The project is
    // neither opened nor shown in the editor.
    void start();

    // A command from the menu, an accelerator or the editor; commands posted
    // meanwhile (the simulator's 1010) run after it, in order.
    void command(int id);
    // A click on a terminal key (its alpha toggle, then the code), then the
    // posted commands.
    void clickKey(int code);
    // The 100 ms timer.
    void tick();
    // The 100 ms timer while a transfer runs on another thread: the clock
    // line goes on, but a pending multi-tap letter waits, since entering it
    // reads the form that a program download compiles meanwhile.
    void tickWhileTransferring();
    // Runs the commands posted meanwhile, for front ends that drive the
    // simulator directly (the window's mouse logic presses its keys).
    void runPostedCommands();

    // A close request (1090, Alt+F4, the window's close): asks "Save the
    // program ?" when the project has unsaved changes. True when the window
    // may close; a Yes whose save fails or is cancelled keeps it open.
    bool requestClose();
    // Set once a close was granted; the front end then destroys its window.
    bool closed() const { return closed_; }

    // True while a command runs; the front end takes no other command then.
    bool busy() const { return depth_ > 0; }

    Workspace& workspace() { return ws_; }
    const Workspace& workspace() const { return ws_; }
    simulator::Simulator& simulator() { return *sim_; }
    const simulator::Simulator& simulator() const { return *sim_; }
    link::LinkState& linkState() { return linkState_; }

private:
    // SimulatorHost
    void warningBox(const std::string& text, const std::string& caption) override;
    void postCommand(int command) override;

    void dispatch(int id);
    // The unsaved-changes question; false when the command must stop.
    bool saveChangesFirst(const char* question);
    void resetAll();
    void newProject();
    void openProject();
    void edit();
    void comSettings();
    void about();
    void download(bool cradle, bool lookup);
    void upload(bool cradle);

    Environment env_;
    std::unique_ptr<link::PortDirectory> systemPorts_;  // when the environment gives none
    Workspace ws_;
    link::LinkState linkState_;
    std::unique_ptr<simulator::Simulator> sim_;
    std::deque<int> posted_;
    int depth_ = 0;
    bool closed_ = false;
};

}  // namespace appgen::shell
