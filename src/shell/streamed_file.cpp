// Follows the whole-file safe save step by step, with the bytes arriving in
// pieces; the in-place case (a device, a folder that takes no new file) is
// cut to length only after the last piece.
#include "shell/streamed_file.h"

#include <random>

#include "platform/file_steps.h"
#include "platform/side_file_names.h"

namespace appgen::shell {
namespace {

constexpr int kNameTries = 16;  // temporary names taken by others before we give up

}  // namespace

StreamedFile::StreamedFile(const std::string& path, const platform::FileOps& ops) : ops_(ops) {
    if (path.empty()) {
        fail(ops_.noName);
        return;
    }
    target_ = ops_.resolve(path);
    if (std::string why = ops_.refusal(target_); !why.empty()) {
        reason_ = std::move(why);
        return;
    }
    if (!target_.device) {
        folder_ = platform::folderOf(ops_, target_.path);
        const std::string name = platform::nameOf(ops_, target_.path);
        const std::size_t maxName = ops_.nameMax(folder_);
        if (ops_.nameLength(name) > maxName) {
            fail(ops_.nameTooLong);
            return;
        }
        std::random_device random;
        int err = 0;
        for (int i = 0; i < kNameTries; ++i) {
            temp_ =
                platform::joinPath(ops_, folder_, platform::temporaryName(name, maxName, random()));
            err = ops_.createNew(temp_, target_, file_);
            if (!err || ops_.fault(err) != platform::FileFault::NameTaken) break;
        }
        if (!err) return;
        temp_.clear();
        if (!target_.exists || ops_.fault(err) != platform::FileFault::Denied) {
            fail(err);
            return;
        }
    }
    if (const int err = ops_.openTarget(target_, false, file_)) fail(err);
}

StreamedFile::~StreamedFile() {
    closeFile();
    if (!committed_ && !temp_.empty()) ops_.remove(temp_);
}

void StreamedFile::fail(int error) {
    if (reason_.empty()) reason_ = ops_.reason(error);
}

void StreamedFile::closeFile() {
    if (file_ == platform::kNoFile) return;
    const int err = ops_.close(file_);
    file_ = platform::kNoFile;
    if (err) fail(err);
}

void StreamedFile::write(std::string_view bytes) {
    if (failed() || file_ == platform::kNoFile) return;
    if (const int err = platform::writeAll(ops_, file_, bytes.data(), bytes.size()))
        return fail(err);
    size_ += bytes.size();
}

std::string StreamedFile::temporaryPath() {
    if (temp_.empty() || failed()) return {};
    closeFile();
    return temp_;
}

platform::FileWriteResult StreamedFile::commit() {
    if (!failed() && file_ == platform::kNoFile && !temp_.empty()) {
        // Reopened after a library wrote it, to force it to the disk.
        platform::FileTarget written;
        written.path = temp_;
        written.exists = true;
        if (const int err = ops_.openTarget(written, false, file_)) fail(err);
    }
    if (!failed() && temp_.empty() && !target_.device) {
        if (const int err = ops_.truncate(file_, size_)) fail(err);
    }
    if (!failed()) {
        if (const int err = ops_.sync(file_)) fail(err);
    }
    closeFile();
    if (failed()) return {false, reason_};
    if (temp_.empty()) return {true, {}};
    if (const int err = ops_.replace(temp_, target_)) {
        fail(err);
        return {false, reason_};
    }
    committed_ = true;
    if (const int err = ops_.syncFolder(folder_))
        return {false, "the file was written but its folder could not be forced to the disk: " +
                           ops_.reason(err)};
    return {true, {}};
}

}  // namespace appgen::shell
