#include "gui/transfer_runner.h"

#include <QEventLoop>
#include <QObject>
#include <exception>
#include <thread>

namespace appgen::gui {

void TransferRunner::run(const std::function<void()>& job) {
    if (running_.exchange(true)) return;
    QEventLoop loop;
    QObject anchor;  // on this thread: the worker's "done" lands here
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&anchor, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    // Input to the windows is still delivered; the main window refuses it
    // while running() is set, and modal boxes of the transfer take theirs.
    loop.exec();
    worker.join();
    running_ = false;
    if (failure) std::rethrow_exception(failure);
}

}  // namespace appgen::gui
