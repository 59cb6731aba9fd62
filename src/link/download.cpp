#include "link/download.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "link/acknowledged_send.h"
#include "link/frames.h"
#include "link/link_messages.h"
#include "link/lookup_lines.h"
#include "link/operator_messages.h"
#include "link/port_open.h"
#include "project/utf8_path.h"

namespace appgen::link {
namespace {

constexpr int kHandshakes = 3;
constexpr std::size_t kFilePiece = 128;
constexpr std::uint8_t kHandshake[] = {'B', 'R', 'I', 'G', 'A', 'N', '\r'};
constexpr std::uint8_t kOver[] = {'O', 'V', 'E', 'R', '\r'};

using Transfer = std::function<bool()>;

bool handshake(LinkContext& link) {
    for (int i = 0; i < kHandshakes; ++i) {
        link.port.write(kHandshake);
        if (readReplyLine(link) == "ACK") return true;
    }
    showError(link.ui, msg::kNotReady);
    return false;
}

void setBar(LinkContext& link, long long percent) {
    link.ui.progressSet(static_cast<int>(std::clamp<long long>(percent, 0, 100)));
}

bool attempt(LinkContext& link, const Transfer& transfer) {
    setTransferTimeouts(link);
    if (!handshake(link)) return false;

    ui::ProgressRequest bar;
    bar.kind = ui::ProgressRequest::Kind::Bar;
    bar.caption = msg::kProgressCaption;
    bar.text = msg::kProgressText;
    link.ui.progressOpen(bar);
    const bool ok = transfer();
    link.ui.progressClose();

    if (ok) {
        ui::MessageBoxRequest done;
        done.caption = msg::kDownload;
        done.text = msg::kDownloaded;
        done.icon = ui::Icon::Warning;
        link.ui.messageBox(done);
    }
    return ok;
}

// Attempts until one succeeds or the operator declines another.
bool attemptsWithRetry(LinkContext& link, const Transfer& transfer) {
    bool ok = attempt(link, transfer);
    while (!ok && askYesNo(link.ui, msg::kError, msg::kRetryQuestion, ui::Icon::Question))
        ok = attempt(link, transfer);
    return ok;
}

bool sendProgram(LinkContext& link, const ImageSource& compile) {
    const std::vector<std::uint8_t> image = compile();
    for (int n = 0; n < kBlockCount; ++n) {
        const auto block = imageBlock(image, n);
        if (!sendWithAck(link, block)) return false;
        setBar(link, 5 + (n + 1) / 2);
    }
    setBar(link, 100);
    return true;
}

std::string overlongLineText(int line) {
    return "Line " + std::to_string(line) + " of the file is longer than " +
           std::to_string(kMaxLookupLine) + " characters; nothing was sent.";
}

// Every attempt sends the file from its first line.
bool sendLookupFile(LinkContext& link, std::ifstream& file) {
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff size = std::max<std::streamoff>(0, file.tellg());
    file.seekg(0);

    LookupLineSplitter split;
    auto sendLine = [&] {
        if (split.line().size() > kMaxLookupLine) {
            // The file grew a long line since it was checked; it must not overrun the frame.
            showError(link.ui, "A line of the file grew longer than " +
                                   std::to_string(kMaxLookupLine) +
                                   " characters during the transfer; the transfer stopped.");
            return false;
        }
        return sendWithAck(link, lookupLineFrame(split.line()));
    };

    std::streamoff done = 0;
    char piece[kFilePiece];
    while (done < size) {
        const auto want = static_cast<std::streamsize>(
            std::min<std::streamoff>(static_cast<std::streamoff>(kFilePiece), size - done));
        file.read(piece, want);
        const std::streamsize got = file.gcount();
        if (got <= 0) break;  // the file shrank since its size was taken
        for (std::streamsize i = 0; i < got; ++i) {
            if (split.feed(static_cast<std::uint8_t>(piece[i])) && !sendLine()) return false;
        }
        done += got;
        setBar(link, done * 100 / size);
    }
    if (split.hasRest() && !sendLine()) return false;
    setBar(link, 100);
    return sendWithAck(link, kOver);
}

ui::FileDialogRequest lookupFileDialog(const std::string& lastName) {
    ui::FileDialogRequest r;
    r.kind = ui::FileDialogRequest::Kind::Open;
    r.filters = {{msg::kLookupFilter, "*.TXT"}, {msg::kAllFilesFilter, "*.*"}};
    r.filterIndex = 0;
    r.defaultExtension = "TXT";
    r.initialName = lastName;
    r.options = ui::kFileMustExist | ui::kHideReadOnly;
    return r;
}

}  // namespace

int downloadProgram(LinkContext& link, const PortChoice& choice, bool cradle,
                    const ImageSource& compile) {
    const int opened = openForDownload(link, choice, cradle);
    if (opened != kOpened) return opened;
    const bool ok = attemptsWithRetry(link, [&] { return sendProgram(link, compile); });
    closeAfterDownload(link);
    return ok ? kDownloadOk : kDownloadFailed;
}

int downloadLookup(LinkContext& link, const PortChoice& choice, bool cradle) {
    const auto path = link.ui.fileDialog(lookupFileDialog(link.state.lastLookupFile));
    if (!path) return kDownloadFailed;
    link.state.lastLookupFile = *path;

    std::ifstream file(utf8Path(*path), std::ios::binary);
    if (!file) {
        ui::MessageBoxRequest r;
        r.caption = msg::kError;
        r.text = msg::kCantOpenFile;
        r.icon = ui::Icon::Warning;
        r.hasOwner = false;
        link.ui.messageBox(r);
        return kDownloadFailed;
    }
    // A line that cannot fit a frame refuses the whole file before anything is sent.
    if (const auto line = firstLineLongerThan(file, kMaxLookupLine)) {
        showError(link.ui, overlongLineText(*line));
        return kDownloadFailed;
    }

    const int opened = openForDownload(link, choice, cradle);
    if (opened != kOpened) return opened;
    const bool ok = attemptsWithRetry(link, [&] { return sendLookupFile(link, file); });
    file.close();
    closeAfterDownload(link);
    return ok ? kDownloadOk : kDownloadFailed;
}

}  // namespace appgen::link
