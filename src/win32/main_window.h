// The terminal window: borderless, the terminal's pictures drawn from the
// shared drawings at the monitor's scale, the display in a Courier-metric
// face, the clock line on the 100 ms timer, a drag anywhere but the keys, the
// command menu on a right click or the power key, the accelerators and the PC
// keyboard on the keys. The input rules are the shell's; this window feeds
// them its events and draws.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "shell/application.h"
#include "shell/terminal_input.h"
#include "simulator/sim_interfaces.h"
#include "simulator/simulator_window.h"
#include "simulator/terminal_layout.h"
#include "win32/win32_services.h"

namespace appgen::win32 {

class MainWindow : public simulator::RepaintSink,
                   private simulator::WindowSurface,
                   private shell::InputHost {
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

    // WindowSurface
    void captureMouse() override { SetCapture(window_); }
    void releaseMouse() override { ReleaseCapture(); }
    void drawPicture(int picture, simulator::Point at) override;
    simulator::Rect windowOnScreen() override;
    void drawDragOutline(const simulator::Rect& frame) override;
    void moveWindow(const simulator::Rect& frame) override;
    void openCommandMenu(simulator::Point at) override;
    // InputHost
    void runTransfer(const std::function<void()>& job) override { services_.runTransfer(job); }
    void showBusy(bool busy) override;
    int modalsRun() override { return services_.modalsRun(); }
    void closeWindow() override;

    // The pictures and the frame at the window's scale, drawn afresh.
    void rebuildArt();
    void paintFull();
    void play(const simulator::DisplayStrokes& strokes);
    HBITMAP picture(int id);
    void blitPicture(HDC dc, int id, simulator::Point at);
    void invalidate(const simulator::Rect& r);
    simulator::Point logical(LPARAM lParam) const;
    bool key(WPARAM vk, LPARAM lParam, bool down);

    Win32Services& services_;
    shell::Application* app_ = nullptr;
    std::unique_ptr<shell::TerminalInput> input_;
    HWND window_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HMENU menu_ = nullptr;
    double scale_ = 1;
    HDC frameDc_ = nullptr;  // the whole window drawn, at the scale
    HBITMAP frame_ = nullptr;
    HGDIOBJ oldFrame_ = nullptr;
    HFONT displayFont_ = nullptr;
    std::map<int, HBITMAP> pictures_;
    bool busy_ = false;
};

}  // namespace appgen::win32
