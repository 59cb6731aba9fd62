#include "platform/record_file.h"

#include "platform/file_steps.h"
#include "platform/side_file_names.h"

namespace appgen::platform {

std::unique_ptr<link::RecordOutput> makeRecordFile() { return std::make_unique<RecordFile>(); }

RecordFile::~RecordFile() { closeFile(); }

void RecordFile::closeFile() {
    if (file_ != kNoFile) ops_.close(file_);
    file_ = kNoFile;
}

std::string RecordFile::shown(const std::string& side) const {
    return besidePath(ops_, target_.shown, nameOf(ops_, side));
}

link::OutputStatus RecordFile::begin(const std::string& path) {
    closeFile();
    kept_ = 0;
    partial_.clear();
    leftover_.clear();
    location_ = path;
    if (path.empty()) return failed(ops_.noName);
    target_ = ops_.resolve(path);
    if (const std::string why = ops_.refusal(target_); !why.empty()) return {false, why};
    if (target_.device) return {};  // /dev/full, NUL or a printer takes the records itself

    const std::string folder = folderOf(ops_, target_.path);
    const std::string name = nameOf(ops_, target_.path);
    const std::size_t maxName = ops_.nameMax(folder);
    if (ops_.nameLength(name) > maxName) return failed(ops_.nameTooLong);
    if (const int error = ops_.checkFolder(folder)) return failed(error);

    const PartialChoice c = choosePartial(
        name, maxName, [&](const std::string& p) { return ops_.exists(joinPath(ops_, folder, p)); },
        ops_.nameLength);
    if (!c.leftover.empty()) leftover_ = shown(c.leftover);
    // Every partial name taken or too long: in place it is.
    if (c.free.empty()) return {};
    const std::string partial = joinPath(ops_, folder, c.free);
    // A folder that takes no new file still lets an existing output be
    // written in place. Any other reason (a read-only file system) is told
    // as the system gives it.
    if (const int error = ops_.probeFolder(folder, partial)) {
        if (target_.exists && ops_.fault(error) == FileFault::Denied) return {};
        return failed(error);
    }
    partial_ = partial;
    return {};
}

link::OutputStatus RecordFile::append(std::span<const std::uint8_t> line) {
    if (file_ == kNoFile) {
        const bool inPlace = partial_.empty();
        const int error = inPlace ? ops_.openTarget(target_, !target_.device, file_)
                                  : ops_.createNew(partial_, target_, file_);
        if (error) {
            file_ = kNoFile;
            return failed(error);
        }
        location_ = inPlace ? target_.shown : shown(partial_);
    }
    // On the disk before the terminal is told the record was taken: a power
    // cut after the answer must not lose it.
    int error = writeAll(ops_, file_, reinterpret_cast<const char*>(line.data()), line.size());
    if (!error) error = ops_.sync(file_);
    if (error) {
        // No half line stays behind a record that was not acknowledged.
        if (!target_.device && ops_.truncate(file_, kept_) != 0) {
            // The line's start stays; the next upload's file replaces it.
        }
        return failed(error);
    }
    kept_ += line.size();
    return {};
}

link::OutputStatus RecordFile::finish() {
    if (file_ == kNoFile) return {};
    int error = ops_.sync(file_);
    const int closing = ops_.close(file_);
    file_ = kNoFile;
    if (!error) error = closing;
    if (error) return failed(error);
    if (partial_.empty()) return {};
    if (const int e = ops_.replace(partial_, target_)) return failed(e);
    location_ = target_.shown;
    partial_.clear();
    if (const int e = ops_.syncFolder(folderOf(ops_, target_.path))) return failed(e);
    return {};
}

}  // namespace appgen::platform
