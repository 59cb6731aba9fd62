#include "gui/qt_services.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <type_traits>

#include "gui/window_placement.h"
#include "platform/viewer.h"
#ifdef APPGEN_HAVE_DIALOG_HOST
#include "gui/dialog_host.h"
#endif

namespace appgen::gui {
namespace {

QString qs(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QMessageBox::StandardButtons buttonsOf(ui::Buttons b) {
    switch (b) {
        case ui::Buttons::Ok: return QMessageBox::Ok;
        case ui::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case ui::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case ui::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case ui::Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(ui::Icon i) {
    switch (i) {
        case ui::Icon::None: return QMessageBox::NoIcon;
        case ui::Icon::Information: return QMessageBox::Information;
        case ui::Icon::Warning: return QMessageBox::Warning;
        case ui::Icon::Error: return QMessageBox::Critical;
        case ui::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

ui::Answer answerOf(int clicked, ui::Buttons buttons) {
    switch (clicked) {
        case QMessageBox::Ok: return ui::Answer::Ok;
        case QMessageBox::Yes: return ui::Answer::Yes;
        case QMessageBox::No: return ui::Answer::No;
        case QMessageBox::Retry: return ui::Answer::Retry;
        case QMessageBox::Cancel: return ui::Answer::Cancel;
        default:  // closed without a button: what Escape would have given
            if (buttons == ui::Buttons::Ok) return ui::Answer::Ok;
            if (buttons == ui::Buttons::YesNo) return ui::Answer::No;
            return ui::Answer::Cancel;
    }
}

// "*.TXT" also matches "report.txt" on a file system that tells case apart,
// and "*.*" matches names without a dot too.
QString patternsOf(const std::string& pattern) {
    const QString p = qs(pattern);
    if (p == QLatin1String("*.*")) return QStringLiteral("*");
    QStringList out;
    for (const QString& one : p.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        out << one;
        if (one.toLower() != one) out << one.toLower();
        if (one.toUpper() != one) out << one.toUpper();
    }
    out.removeDuplicates();
    return out.join(QLatin1Char(' '));
}

}  // namespace

void configureFileDialog(QFileDialog& dialog, const ui::FileDialogRequest& request) {
    const bool save = request.kind == ui::FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (request.options & ui::kFileMustExist) ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    QStringList filters;
    for (const ui::FileFilter& f : request.filters)
        filters << qs(f.description) + QStringLiteral(" (") + patternsOf(f.pattern) + QLatin1Char(')');
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);  // the descriptions name their patterns
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters[request.filterIndex]);
    dialog.setDefaultSuffix(qs(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.options & ui::kOverwritePrompt));
    if (!request.initialName.empty()) dialog.selectFile(QFile::decodeName(request.initialName.c_str()));
}

QtServices::QtServices() : anchor_(std::make_unique<QObject>()) {}

QtServices::~QtServices() = default;

template <class F>
auto QtServices::onUiThread(F f) -> decltype(f()) {
    using R = decltype(f());
    if (QThread::currentThread() == anchor_->thread()) return f();
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(anchor_.get(), f, Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(anchor_.get(), [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// The box or dialog that has the operator's attention owns the next one.
QWidget* QtServices::activeOwner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return owner_.data();
}

ui::Answer QtServices::messageBox(const ui::MessageBoxRequest& request) {
    ++modalsRun_;
    return onUiThread([&] {
        QMessageBox box(iconOf(request.icon), qs(request.caption), qs(request.text),
                        buttonsOf(request.buttons), request.hasOwner ? activeOwner() : nullptr);
        if (!request.detail.empty()) box.setInformativeText(qs(request.detail));
        if (!request.hasOwner) box.setWindowModality(Qt::ApplicationModal);
        placeOver(box, owner_.data());
        return answerOf(box.exec(), request.buttons);
    });
}

std::optional<std::string> QtServices::fileDialog(const ui::FileDialogRequest& request) {
    ++modalsRun_;
    return onUiThread([&]() -> std::optional<std::string> {
        QFileDialog dialog(activeOwner());
        configureFileDialog(dialog, request);
        placeOver(dialog, owner_.data());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    });
}

void QtServices::progressOpen(const ui::ProgressRequest& request) {
    onUiThread([&] {
        const auto cancel = [this] { cancel_ = true; };
        if (request.kind == ui::ProgressRequest::Kind::Bar) {
            bar_ = std::make_unique<ProgressWindow>(qs(request.caption), qs(request.text));
            bar_->cancelButton()->onCancel = cancel;
            bar_->show();
        } else {
            count_ = std::make_unique<CountBox>(qs(request.text));
            count_->cancelButton()->onCancel = cancel;
            count_->show();
        }
    });
}

void QtServices::connectingOpen(const ui::ProgressRequest& request) {
    onUiThread([&] {
        connecting_ = std::make_unique<ProgressWindow>(qs(request.caption), qs(request.text), qs(request.detail));
        connecting_->cancelButton()->onCancel = [this] { cancel_ = true; };
        connecting_->show();
    });
}

void QtServices::connectingClose() {
    onUiThread([&] { connecting_.reset(); });
}

// Steps do not wait for the screen: the link goes on at once. They run on the
// user-interface thread in the order they were made, before a later close.
void QtServices::progressSet(int value) {
    auto apply = [this, value] {
        if (bar_) bar_->setPercent(value);
        if (count_) count_->setCount(value);
    };
    if (QThread::currentThread() == anchor_->thread())
        apply();
    else
        QMetaObject::invokeMethod(anchor_.get(), apply, Qt::QueuedConnection);
}

void QtServices::progressClose() {
    onUiThread([&] {
        bar_.reset();
        count_.reset();
    });
}

bool QtServices::launchViewer(const std::string& path) {
    return viewer_ ? viewer_(path) : platform::launchViewer(path);
}

void QtServices::showHelp(const std::string& path, bool finder) {
    onUiThread([&] {
        if (!help_) {
            help_ = std::make_unique<HelpWindow>();
            placeOver(*help_, owner_.data());
        }
        help_->load(QFile::decodeName(path.c_str()));
        // The finder opens on the list of topics at the top of the document.
        if (finder) help_->moveCursor(QTextCursor::Start);
        help_->show();
        help_->raise();
        help_->activateWindow();
    });
}

void QtServices::postCommand(int command) {
    QMetaObject::invokeMethod(
        anchor_.get(), [this, command] { if (commandSink_) commandSink_(command); }, Qt::QueuedConnection);
}

int QtServices::runDialog(ui::Dialog& dialog) {
    ++modalsRun_;
#ifdef APPGEN_HAVE_DIALOG_HOST
    return onUiThread([&] { return runDialogModal(dialog, activeOwner(), owner_.data()); });
#else
    (void)dialog;
    return -1;
#endif
}

int QtServices::runSheet(ui::PropertySheet& sheet) {
    ++sheetsRun_;
    ++modalsRun_;
#ifdef APPGEN_HAVE_DIALOG_HOST
    return onUiThread([&] { return runSheetModal(sheet, activeOwner(), owner_.data()); });
#else
    (void)sheet;
    return -1;
#endif
}

}  // namespace appgen::gui
