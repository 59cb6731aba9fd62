#include "link/download.h"

#include <algorithm>
#include <string>

#include "link/acknowledged_send.h"
#include "link/frames.h"
#include "link/link_messages.h"
#include "link/lookup_file.h"
#include "link/lookup_lines.h"
#include "link/operator_messages.h"
#include "link/port_open.h"
#include "link/transfer_cancel.h"

namespace appgen::link {
namespace {

constexpr int kHandshakes = 3;
constexpr std::size_t kFilePiece = 128;
constexpr std::uint8_t kHandshake[] = {'B', 'R', 'I', 'G', 'A', 'N', '\r'};
constexpr std::uint8_t kOver[] = {'O', 'V', 'E', 'R', '\r'};

using Transfer = std::function<bool()>;
using Reopen = std::function<bool()>;

bool handshake(LinkContext& link) {
    ConnectingNotice connecting(link, msg::kProgressCaption);
    for (int i = 0; i < kHandshakes; ++i) {
        const bool written = writeUnit(link, kHandshake);
        if (written && readReplyLine(link) == "ACK") return true;
        if (cancelled(link)) return false;
        if (lineDown(link) || !written) {
            connecting.close();
            tellLineDown(link);
            return false;
        }
    }
    connecting.close();
    showError(link.panel, msg::kNotReady, Icon::Warning, noAnswerAdvice(link, TransferKind::Download));
    return false;
}

void setBar(LinkContext& link, long long percent) {
    link.panel.progressSet(static_cast<int>(std::clamp<long long>(percent, 0, 100)));
}

bool attempt(LinkContext& link, const Transfer& transfer) {
    setTransferTimeouts(link);
    if (!handshake(link)) return false;

    ProgressWindow bar;
    bar.kind = ProgressWindow::Kind::Bar;
    bar.caption = msg::kProgressCaption;
    bar.text = msg::kProgressText;
    link.panel.progressOpen(bar);
    const bool ok = transfer();
    link.panel.progressClose();

    if (ok) {
        link.panel.tell({msg::kDownload, msg::kDownloaded, Icon::Warning});
    }
    return ok;
}

// Attempts until one succeeds or the operator declines another. A port that
// was lost is opened afresh for the next attempt (the adapter may be back);
// a stop or a Cancel asks nothing more.
bool attemptsWithRetry(LinkContext& link, const Transfer& transfer, const Reopen& reopen) {
    bool ok = attempt(link, transfer);
    while (!ok && link.port.status() != LineStatus::Stopped && !link.cancelled &&
           askYesNo(link.panel, msg::kError, msg::kRetryQuestion, Icon::Question)) {
        if (link.port.status() == LineStatus::Lost && !reopen()) continue;
        ok = attempt(link, transfer);
    }
    if (link.port.status() == LineStatus::Stopped) showError(link.panel, msg::kStopped);
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

void tellReadError(LinkContext& link, const std::string& path, const LookupFile& file) {
    showError(link.panel, msg::kCantReadFile, Icon::Warning, path + ": " + file.error());
}

// Before the port opens: the file can be read to its end and no line overruns
// a frame. Returns the message detail when it cannot be sent.
std::optional<std::string> checkLookupFile(LookupFile& file, bool& overlong) {
    overlong = false;
    if (file.rewind() < 0) return file.error();
    LookupLineSplitter split;
    int number = 1;
    char piece[4096];
    for (long long n = 0; (n = file.read(piece, sizeof piece)) != 0;) {
        if (n < 0) return file.error();
        for (long long i = 0; i < n; ++i) {
            const bool ended = split.feed(static_cast<std::uint8_t>(piece[i]));
            if (split.line().size() > kMaxLookupLine) {
                overlong = true;
                return overlongLineText(number);
            }
            if (ended) ++number;
        }
    }
    return std::nullopt;
}

// Every attempt sends the file from its first line.
bool sendLookupFile(LinkContext& link, const std::string& path, LookupFile& file) {
    const long long size = file.rewind();
    if (size < 0) {
        tellReadError(link, path, file);
        return false;
    }

    LookupLineSplitter split;
    auto sendLine = [&] {
        if (split.line().size() > kMaxLookupLine) {
            // The file grew a long line since it was checked; it must not overrun the frame.
            showError(link.panel, "A line of the file grew longer than " +
                                      std::to_string(kMaxLookupLine) +
                                      " characters during the transfer; the transfer stopped.");
            return false;
        }
        return sendWithAck(link, lookupLineFrame(split.line()));
    };

    long long done = 0;
    char piece[kFilePiece];
    while (done < size) {
        const long long got =
            file.read(piece, static_cast<std::size_t>(std::min<long long>(kFilePiece, size - done)));
        if (got < 0) {
            // Sending on would end the file early at the terminal.
            tellReadError(link, path, file);
            return false;
        }
        if (got == 0) break;  // the file shrank since its size was taken
        for (long long i = 0; i < got; ++i) {
            if (split.feed(static_cast<std::uint8_t>(piece[i])) && !sendLine()) return false;
        }
        done += got;
        setBar(link, done * 100 / size);
    }
    if (split.hasRest() && !sendLine()) return false;
    setBar(link, 100);
    return sendWithAck(link, kOver);
}

bool sendLookupLines(LinkContext& link, const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(lines[i].data());
        if (!sendWithAck(link, lookupLineFrame({bytes, lines[i].size()}))) return false;
        setBar(link, static_cast<long long>((i + 1) * 100 / lines.size()));
    }
    setBar(link, 100);
    return sendWithAck(link, kOver);
}

FileQuestion lookupFileQuestion(const std::string& lastName) {
    FileQuestion r;
    r.kind = FileQuestion::Kind::Open;
    // Spreadsheet exports are converted by the desktop before they are sent.
    r.filters = {{msg::kLookupFilter, "*.TXT"}, {msg::kAllFilesFilter, "*.*"}, {msg::kCsvFilter, "*.csv"}};
    r.defaultExtension = "TXT";
    r.initialName = lastName;
    return r;
}

Reopen reopenFor(LinkContext& link, const PortChoice& choice, bool cradle) {
    return [&link, choice, cradle] {
        link.port.close();
        return openForDownload(link, choice, cradle) == kOpened;
    };
}

}  // namespace

int downloadProgram(LinkContext& link, const PortChoice& choice, bool cradle,
                    const ImageSource& compile) {
    const int opened = openForDownload(link, choice, cradle);
    if (opened != kOpened) return opened;
    const bool ok = attemptsWithRetry(link, [&] { return sendProgram(link, compile); },
                                      reopenFor(link, choice, cradle));
    closeAfterDownload(link);
    return ok ? kDownloadOk : kDownloadFailed;
}

int downloadLookup(LinkContext& link, const PortChoice& choice, bool cradle, const LookupFileOpener& open,
                   const LookupFileFilter& filter) {
    const auto path = link.panel.chooseFile(lookupFileQuestion(link.state.lastLookupFile));
    if (!path) return kDownloadFailed;
    link.state.lastLookupFile = *path;
    LookupFileUse use;
    if (filter) {
        use = filter(*path);
        if (use.action == LookupFileUse::Action::Stop) {
            if (!use.refusal.empty()) showError(link.panel, use.refusal, Icon::Warning, use.refusalDetail);
            return kDownloadFailed;
        }
        if (use.action == LookupFileUse::Action::SendLines)
            return downloadLookupLines(link, choice, cradle, use.lines);
    }

    // A file that cannot be read to its end (a folder, no permission, a read
    // error) or has a line that cannot fit a frame is refused before the port
    // opens, so nothing is sent. Converted bytes go exactly as a file of them would.
    const std::unique_ptr<LookupFile> source =
        use.action == LookupFileUse::Action::SendBytes ? lookupFileOfBytes(std::move(use.bytes)) : open(*path);
    LookupFile& file = *source;
    bool overlong = false;
    const auto refusal = file.isOpen() ? checkLookupFile(file, overlong) : file.error();
    if (refusal && overlong) {
        showError(link.panel, *refusal);
        return kDownloadFailed;
    }
    if (refusal) {
        link.panel.tell({.caption = msg::kError,
                         .text = msg::kCantOpenFile,
                         .icon = Icon::Warning,
                         .detail = *path + ": " + *refusal,
                         .hasOwner = false});
        return kDownloadFailed;
    }

    const int opened = openForDownload(link, choice, cradle);
    if (opened != kOpened) return opened;
    const bool ok = attemptsWithRetry(link, [&] { return sendLookupFile(link, *path, file); },
                                      reopenFor(link, choice, cradle));
    file.close();
    closeAfterDownload(link);
    return ok ? kDownloadOk : kDownloadFailed;
}

int downloadLookupLines(LinkContext& link, const PortChoice& choice, bool cradle,
                        const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > kMaxLookupLine) {
            showError(link.panel, overlongLineText(static_cast<int>(i + 1)));
            return kDownloadFailed;
        }
    }
    const int opened = openForDownload(link, choice, cradle);
    if (opened != kOpened) return opened;
    const bool ok = attemptsWithRetry(link, [&] { return sendLookupLines(link, lines); },
                                      reopenFor(link, choice, cradle));
    closeAfterDownload(link);
    return ok ? kDownloadOk : kDownloadFailed;
}

}  // namespace appgen::link
