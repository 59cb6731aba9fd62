// The terminal window: the simulated terminal's display, the 100 ms timer,
// the accelerators (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+E, F1, Alt+F4) and the
// close question. Commands go to the application; transfers run on a worker
// thread while the window stays alive.
#pragma once

#include <windows.h>

#include "shell/application.h"
#include "simulator/sim_interfaces.h"
#include "win32/win32_services.h"

namespace appgen::win32 {

class MainWindow : public simulator::RepaintSink {
public:
    explicit MainWindow(Win32Services& services);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    static void registerClass(HINSTANCE instance);

    // Shows the window over the started application and starts the timer.
    void attach(shell::Application& app, int show);
    // The program's message loop; returns the exit code.
    int run();
    void runCommand(int id);

    HWND window() const { return window_; }

    // RepaintSink: the simulator changed what the display shows.
    void repaint(simulator::DisplayArea area, int line) override;

private:
    friend LRESULT CALLBACK mainWindowProc(HWND, UINT, WPARAM, LPARAM);
    void paint();
    void close();
    static bool isTransfer(int id);
    bool acceptsInput() const;

    Win32Services& services_;
    shell::Application* app_ = nullptr;
    HWND window_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT displayFont_ = nullptr;
};

}  // namespace appgen::win32
