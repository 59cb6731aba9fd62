// Shared by the dialog host tests: services that run dialogs through the Qt
// host and act in each one once it is up, a handler that records what it is
// told, and screenshots into the build folder.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <sstream>
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

// The texts of a dialog's widgets that do not show whole in their boxes with
// the fonts the program picked, one a line: labels as they wrap, buttons,
// check boxes and group box titles on one line, and every entry of a closed
// list. The last line may lose the foot of its descenders, as on Windows.
inline std::string textFaults(QWidget& dialog) {
    std::ostringstream out;
    auto fault = [&](QWidget* w, const QString& text, QSize need) {
        out << w->metaObject()->className() << ' ' << w->property("controlId").toInt() << " \""
            << text.toStdString() << "\" needs " << need.width() << 'x' << need.height() << ", has "
            << w->width() << 'x' << w->height() << '\n';
    };
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->property("controlId").isValid()) continue;
        const QFontMetrics fm(w->font());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty()) continue;
            const QRect need = fm.boundingRect(QRect(0, 0, label->width(), 10000),
                                               int(label->alignment()) | Qt::TextWordWrap, label->text());
            if (need.width() > label->width() || need.height() > label->height() + fm.descent())
                fault(w, label->text(), need.size());
        } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            // The text's room is what the style leaves beside the mark or
            // inside the button's frame.
            QString text = b->text();
            text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
            QStyle::SubElement room = QStyle::SE_PushButtonContents;
            QStyleOptionButton opt;
            opt.initFrom(b);
            if (qobject_cast<QCheckBox*>(b)) room = QStyle::SE_CheckBoxContents;
            if (qobject_cast<QRadioButton*>(b)) room = QStyle::SE_RadioButtonContents;
            const int has = b->style()->subElementRect(room, &opt, b).width();
            const QSize need(fm.horizontalAdvance(text), fm.height());
            if (need.width() > has || fm.ascent() > b->height()) fault(w, text, need);
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            const QSize need(fm.horizontalAdvance(box->title()) + 16, fm.height());
            if (need.width() > box->width()) fault(w, box->title(), need);
        } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->count() > 0) {
            QStyleOptionComboBox opt;
            opt.initFrom(combo);
            const int has =
                combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width();
            QString longest;
            for (int i = 0; i < combo->count(); ++i)
                if (fm.horizontalAdvance(combo->itemText(i)) > fm.horizontalAdvance(longest)) longest = combo->itemText(i);
            // The style's field keeps a few pixels of its own around the text.
            const QSize need(fm.horizontalAdvance(longest) + 4, fm.height());
            if (need.width() > has) fault(w, longest, need);
        }
    }
    return out.str();
}

// The colour the widget shows at its centre, children included.
inline QColor centreColour(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

}  // namespace appgen::gui::test
