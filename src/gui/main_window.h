// The application's only window: the borderless terminal picture. It draws
// the pictures and the display into a backing image and hands its mouse,
// key, timer and close events to the shell's input rules (TerminalInput),
// which decide; it opens the command menu, makes the accelerators and runs
// transfers through the TransferRunner when asked.
#pragma once

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui/display_painter.h"
#include "gui/terminal_art.h"
#include "gui/transfer_runner.h"
#include "shell/application.h"
#include "shell/terminal_input.h"
#include "simulator/simulator_window.h"

class QMenu;

namespace appgen::gui {

class MainWindow : public QWidget,
                   public simulator::WindowSurface,
                   public simulator::RepaintSink,
                   private shell::InputHost {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The application to serve; the window draws its simulator from now on.
    void attach(shell::Application& app);

    // A command from the menu, an accelerator or the simulator. Refused while
    // another command or a transfer runs.
    void runCommand(int id);

    // How the menu is shown: by default it runs where asked and returns the
    // chosen action; the tests look at it instead.
    using MenuRunner = std::function<QAction*(QMenu& menu, QPoint globalPos)>;
    void setMenuRunner(MenuRunner runner) { menuRunner_ = std::move(runner); }

    // How many boxes and dialogs have been up so far: one that came up
    // during a key press took the button's release with it.
    void setModalCounter(std::function<int()> counter) { modalCounter_ = std::move(counter); }

    // What the window shows; drawn when first asked for, so that the window
    // is on the screen before the case and the font are made.
    const QImage& frame() {
        ensureFrame();
        return frame_;
    }
    const TerminalArt& art() const { return *art_; }
    bool transferRunning() const { return transfers_.running(); }
    int framesPainted() const { return framesPainted_; }

    // WindowSurface
    void captureMouse() override {}
    void releaseMouse() override {}
    void drawPicture(int picture, simulator::Point at) override;
    simulator::Rect windowOnScreen() override;
    void drawDragOutline(const simulator::Rect& frame) override;
    void moveWindow(const simulator::Rect& frame) override;
    void openCommandMenu(simulator::Point at) override;

    // RepaintSink; QWidget's own repaint() stays in reach.
    void repaint(simulator::DisplayArea area, int line) override;
    using QWidget::repaint;

Q_SIGNALS:
    // The window has closed for good; the program may end.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The PC keys of pcKeyboard() press and release terminal keys as clicks do.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Tab is the ALPHA key, not a move of the focus.
    bool focusNextPrevChild(bool) override { return false; }
    void closeEvent(QCloseEvent* event) override;

private:
    // InputHost
    void runTransfer(const std::function<void()>& job) override { transfers_.run(job); }
    void showBusy(bool busy) override { setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor); }
    int modalsRun() override { return modalCounter_ ? modalCounter_() : 0; }
    void closeWindow() override { close(); }

    void rebuildArt();
    void ensureFrame();
    void paintFull();
    void paintDirtyDisplay();
    void addShortcut(const QKeySequence& keys, std::function<void()> action);

    shell::Application* app_ = nullptr;
    std::unique_ptr<shell::TerminalInput> input_;
    std::unique_ptr<TerminalArt> art_;
    DisplayFont font_;     // made with the first frame: looking up fonts takes time
    bool fontMade_ = false;
    bool framePending_ = true;  // the whole frame is to be drawn before it is shown
    std::unique_ptr<DisplayPainter> painter_;
    QImage frame_;         // what the window shows, at the device pixel ratio
    QRegion dirtyDisplay_; // display areas to draw again from the model
    QTimer timer_;
    TransferRunner transfers_;
    MenuRunner menuRunner_;
    std::function<int()> modalCounter_;
    QMenu* menu_ = nullptr;
    int framesPainted_ = 0;
};

}  // namespace appgen::gui
