#include "cli/link_console.h"

#include "link/link_messages.h"
#include "platform/console.h"

namespace appgen::cli {
namespace {

// Plain lines (output that is not a terminal) show the count this often.
constexpr int kCountLineEvery = 100;

}  // namespace

LinkConsole::LinkConsole(std::string path, int retries, std::FILE* out)
    : path_(std::move(path)), retriesLeft_(retries), out_(out), tty_(platform::isTerminal(out)) {}

void LinkConsole::endProgressLine() {
    if (progressShown_) std::fputc('\n', out_);
    progressShown_ = false;
}

ui::Answer LinkConsole::messageBox(const ui::MessageBoxRequest& r) {
    endProgressLine();
    std::fprintf(out_, "%s: %s\n", r.caption.c_str(), r.text.c_str());
    if (!r.detail.empty()) std::fprintf(out_, "  %s\n", r.detail.c_str());
    ui::Answer a = ui::Answer::Ok;
    if (r.buttons == ui::Buttons::YesNo) {
        // Only the retry question is answered Yes, and only as often as asked for.
        const bool retry = r.text == link::msg::kRetryQuestion && retriesLeft_ > 0;
        if (retry) --retriesLeft_;
        a = retry ? ui::Answer::Yes : ui::Answer::No;
        std::fprintf(out_, "  -> %s\n", retry ? "Yes" : "No");
    } else if (r.buttons != ui::Buttons::Ok) {
        a = ui::Answer::Cancel;
    }
    std::fflush(out_);
    return a;
}

std::optional<std::string> LinkConsole::fileDialog(const ui::FileDialogRequest&) { return path_; }

void LinkConsole::progressOpen(const ui::ProgressRequest& r) {
    kind_ = r.kind;
    last_ = -1;
}

// Waiting for the terminal is worth a line on a terminal only; Ctrl-C stops it.
void LinkConsole::connectingOpen(const ui::ProgressRequest& r) {
    if (!tty_) return;
    std::fprintf(out_, "%s %s", r.text.c_str(), r.detail.c_str());
    progressShown_ = true;
    std::fflush(out_);
}

void LinkConsole::connectingClose() {
    endProgressLine();
    std::fflush(out_);
}

void LinkConsole::progressSet(int value) {
    if (value == last_) return;
    last_ = value;
    const bool bar = kind_ == ui::ProgressRequest::Kind::Bar;
    if (tty_) {
        if (bar) std::fprintf(out_, "\rDownloading %3d%%", value);
        else std::fprintf(out_, "\rData received : %d", value);
        progressShown_ = true;
    } else if (bar) {
        std::fprintf(out_, "Downloading %d%%\n", value);
    } else if (value == 1 || value % kCountLineEvery == 0) {
        std::fprintf(out_, "Data received : %d\n", value);
    }
    std::fflush(out_);
}

void LinkConsole::progressClose() {
    if (!tty_ && kind_ == ui::ProgressRequest::Kind::Count && last_ > 0 && last_ != 1 &&
        last_ % kCountLineEvery != 0)
        std::fprintf(out_, "Data received : %d\n", last_);
    endProgressLine();
    std::fflush(out_);
}

bool LinkConsole::launchViewer(const std::string&) { return false; }

}  // namespace appgen::cli
