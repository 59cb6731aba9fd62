// Shared by the dialog host tests: services that run dialogs through the Qt
// host and act in each one once it is up, a handler that records what it is
// told, and screenshots into the build folder.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include "gui/dialog_host.h"
#include "gui/dialog_widgets.h"
#include "ui/dialog.h"
#include "ui/headless_services.h"
#include "ui/property_sheet.h"

namespace appgen::gui::test {

// Each modal window opened takes the next action, run from inside its event
// loop; a window with no action left is cancelled so a test cannot hang.
class HostedServices : public ui::HeadlessServices {
public:
    using Action = std::function<void(QDialog&)>;
    std::deque<Action> actions;
    std::vector<std::string> opened;  // template names, in opening order

    int runDialog(ui::Dialog& dialog) override {
        opened.push_back(dialog.name());
        schedule();
        return runDialogModal(dialog, nullptr);
    }
    int runSheet(ui::PropertySheet& sheet) override {
        opened.push_back(sheet.name());
        schedule();
        return runSheetModal(sheet, nullptr);
    }

private:
    void schedule() {
        Action action;
        if (!actions.empty()) {
            action = std::move(actions.front());
            actions.pop_front();
        }
        QTimer::singleShot(0, [action] {
            auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!window) return;
            if (action) action(*window);
            if (window->isVisible() && !action) window->reject();
        });
    }
};

struct RecordingHandler : ui::DialogHandler {
    std::vector<ui::Notification> seen;
    std::function<void(ui::Dialog&, const ui::Notification&)> react;
    bool refuseCancel = false;

    void command(ui::Dialog& d, const ui::Notification& n) override {
        seen.push_back(n);
        if (react) react(d, n);
    }
    void cancel(ui::Dialog& d) override {
        if (!refuseCancel) d.end(0);
    }
    int count(int id, ui::Notify code) const {
        int n = 0;
        for (const auto& s : seen) n += s.id == id && s.code == code;
        return n;
    }
};

inline QString screenshotDir() { return QStringLiteral(APPGEN_BINARY_DIR "/screenshots"); }

inline void saveScreenshot(QWidget& widget, const std::string& name) {
    QDir().mkpath(screenshotDir());
    widget.grab().save(screenshotDir() + "/" + QString::fromStdString(name) + ".png");
}

// The colour the widget shows at its centre, children included.
inline QColor centreColour(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

}  // namespace appgen::gui::test
