// Runs a transfer off the user-interface thread. The caller waits in a local
// event loop, so the windows keep painting and the desktop never takes the
// program for hung; what the transfer asks of the desktop reaches the
// user-interface thread through QtServices. One transfer at a time.
#pragma once

#include <atomic>
#include <functional>

namespace appgen::gui {

class TransferRunner {
public:
    // Returns once the job has finished on its worker thread.
    void run(const std::function<void()>& job);
    bool running() const { return running_.load(); }

private:
    std::atomic<bool> running_{false};
};

}  // namespace appgen::gui
