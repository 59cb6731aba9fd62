// What the main window tests run the desktop on: a serial port whose
// terminal answers from a script, a virtual millisecond clock, a fixed
// local time, and a driver that answers the modal boxes and dialogs the
// commands open, recording what it saw.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "gui/desktop.h"
#include "gui/progress_windows.h"
#include "link/serial_port.h"
#include "link/tick_clock.h"
#include "simulator/sim_interfaces.h"

namespace appgen::gui::testing {

class VirtualTicks : public link::TickClock {
public:
    link::Tick now() override { return t_.load(); }
    void sleepFor(link::Tick ms) override { t_ += ms == 0 ? 1 : ms; }
    void advance(link::Tick ms) { t_ += ms; }

private:
    std::atomic<link::Tick> t_{1000};
};

// The terminal sees each unit written and returns the bytes of its reply.
class ScriptedPort : public link::SerialPort {
public:
    explicit ScriptedPort(VirtualTicks& ticks) : ticks_(ticks) {}
    std::function<std::string(const std::string& unit)> terminal;

    link::OpenResult open(const std::string&) override {
        open_ = true;
        return {.ok = true};
    }
    bool isOpen() const override { return open_; }
    bool setQueueSizes(std::size_t, std::size_t) override { return true; }
    bool apply(const link::LineSettings&) override { return true; }
    link::PortTimeouts timeouts() const override { return timeouts_; }
    bool setTimeouts(const link::PortTimeouts& t) override {
        timeouts_ = t;
        return true;
    }
    std::optional<std::uint8_t> readByte(link::Tick waitMs) override {
        if (input_.empty()) {
            ticks_.advance(waitMs == 0 ? 1 : waitMs);  // silence costs the whole wait
            return std::nullopt;
        }
        const auto b = static_cast<std::uint8_t>(input_.front());
        input_.pop_front();
        return b;
    }
    std::size_t write(std::span<const std::uint8_t> bytes) override {
        const std::string unit(bytes.begin(), bytes.end());
        written += unit;
        ++writes;
        if (terminal)
            for (char c : terminal(unit)) input_.push_back(c);
        return bytes.size();
    }
    bool drainOutput() override { return open_; }
    void purgeInput() override { input_.clear(); }
    void close() override { open_ = false; }

    std::string written;  // every byte the PC sent
    int writes = 0;

private:
    VirtualTicks& ticks_;
    bool open_ = false;
    link::PortTimeouts timeouts_{};
    std::deque<char> input_;
};

class FixedClock : public simulator::LocalClock {
public:
    simulator::LocalDateTime now() override { return {2024, 3, 7, 9, 41, 5}; }
};

// What a modal window looked like when the driver met it.
struct SeenWindow {
    QString kind;  // "box", "sheet", "dialog", "file"
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons{};
    QStringList tabs;
    bool onUiThread = false;
    bool transferRunning = false;
};

// Polls for modal windows while a command runs and answers them: boxes by
// the queued answers (else No, Cancel or OK), file dialogs with `fileToChoose`
// (cancelled when empty), sheets and other dialogs by closing them.
class ModalDriver {
public:
    explicit ModalDriver(MainWindow* window = nullptr) : window_(window) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
        timer_.start();
    }
    std::deque<QMessageBox::StandardButton> answers;
    QString fileToChoose;
    std::function<void(QWidget*)> onSheet;  // runs before a sheet is closed
    std::vector<SeenWindow> seen;

    std::vector<SeenWindow> boxes() const {
        std::vector<SeenWindow> out;
        for (const SeenWindow& s : seen)
            if (s.kind == QLatin1String("box")) out.push_back(s);
        return out;
    }

private:
    void step() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || dynamic_cast<ProgressWindow*>(w) || w->property("driven").toBool()) return;
        w->setProperty("driven", true);
        SeenWindow s;
        s.title = w->windowTitle();
        s.onUiThread = QThread::currentThread() == qApp->thread();
        s.transferRunning = window_ && window_->transferRunning();
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            s.kind = QStringLiteral("box");
            s.text = box->text();
            s.icon = box->icon();
            s.buttons = box->standardButtons();
            seen.push_back(s);
            QMessageBox::StandardButton answer = QMessageBox::NoButton;
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            } else {
                for (auto b : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
                    if (s.buttons & b) {
                        answer = b;
                        break;
                    }
            }
            box->button(answer)->click();
            return;
        }
        if (auto* files = qobject_cast<QFileDialog*>(w)) {
            s.kind = QStringLiteral("file");
            s.text = files->selectedNameFilter();
            seen.push_back(s);
            if (fileToChoose.isEmpty()) {
                files->reject();
            } else {
                files->selectFile(fileToChoose);
                static_cast<QDialog*>(files)->accept();  // public in the base
            }
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(w);
        if (auto* tabs = w->findChild<QTabWidget*>()) {
            s.kind = QStringLiteral("sheet");
            for (int i = 0; i < tabs->count(); ++i) s.tabs << tabs->tabText(i);
            if (onSheet) onSheet(w);
        } else {
            s.kind = QStringLiteral("dialog");
        }
        seen.push_back(s);
        if (dialog) dialog->reject();
    }

    MainWindow* window_;
    QTimer timer_;
};

// A desktop over the fakes, started and on the screen.
struct DesktopFixture {
    VirtualTicks ticks;
    ScriptedPort port{ticks};
    FixedClock clock;
    Desktop desktop{{port, ticks, clock, APPGEN_SOURCE_DIR "/docs/help.md"}};
    DesktopFixture() { desktop.start(); }
    MainWindow& window() { return desktop.window(); }
    shell::Application& app() { return desktop.app(); }
};

// Screenshots of the tests go here, in the build folder.
inline QString screenshotPath(const QString& name) {
    const QString dir = QStringLiteral(APPGEN_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

}  // namespace appgen::gui::testing
