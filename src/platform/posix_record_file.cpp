#include "platform/posix_record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/record_file.h"
#include "platform/side_file_names.h"

namespace appgen::platform {
namespace {

link::OutputStatus failed(int error) { return {false, posix::reasonOf(error)}; }

bool exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::unique_ptr<link::RecordOutput> makeRecordFile() { return std::make_unique<PosixRecordFile>(); }

PosixRecordFile::~PosixRecordFile() { closeFile(); }

void PosixRecordFile::closeFile() {
    if (fd_ >= 0) ops_.close(fd_);
    fd_ = -1;
}

link::OutputStatus PosixRecordFile::begin(const std::string& path) {
    closeFile();
    kept_ = 0;
    partial_.clear();
    leftover_.clear();
    location_ = path;
    if (path.empty()) return failed(ENOENT);
    target_ = posix::resolveTarget(path);
    if (const std::string why = posix::refusalOf(target_); !why.empty()) return {false, why};

    const std::string folder = posix::folderOf(target_.path);
    const std::string name = posix::nameOf(target_.path);
    const std::size_t maxName = posix::nameMax(folder);
    if (name.size() > maxName) return failed(ENAMETOOLONG);
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return failed(errno);
    if (!S_ISDIR(st.st_mode)) return failed(ENOTDIR);

    // A folder that takes no new file still lets an existing output be
    // written in place; a name too long for a partial file likewise.
    // A device (/dev/full, a printer) takes the records itself.
    if (target_.exists && !S_ISREG(target_.st.st_mode)) return {};
    const bool folderWritable = access(folder.c_str(), W_OK | X_OK) == 0;
    if (!folderWritable && !target_.exists) return failed(EACCES);
    if (!folderWritable) return {};
    // Every partial name taken: in place it is.
    const PartialChoice c =
        choosePartial(name, maxName, [&](const std::string& p) { return exists(folder + "/" + p); });
    if (!c.free.empty()) partial_ = folder + "/" + c.free;
    if (!c.leftover.empty()) leftover_ = folder + "/" + c.leftover;
    return {};
}

link::OutputStatus PosixRecordFile::append(std::span<const std::uint8_t> line) {
    if (fd_ < 0) {
        const bool inPlace = partial_.empty();
        const std::string& file = inPlace ? target_.path : partial_;
        const int truncate = target_.exists && !S_ISREG(target_.st.st_mode) ? 0 : O_TRUNC;
        fd_ = inPlace ? ops_.open(file.c_str(), O_WRONLY | O_CREAT | truncate | O_CLOEXEC, 0666)
                      : ops_.open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                  target_.exists ? 0600 : 0666);
        if (fd_ < 0) return failed(errno);
        if (!inPlace) posix::keepModeAndOwner(fd_, target_);
        location_ = file;
    }
    const int err = posix::writeAll(ops_, fd_, reinterpret_cast<const char*>(line.data()), line.size());
    if (err) {
        // No half line stays behind a record that was not acknowledged.
        if (ops_.ftruncate(fd_, kept_) != 0) {
            // The line's start stays; the next upload's file replaces it.
        }
        return failed(err);
    }
    kept_ += static_cast<off_t>(line.size());
    return {};
}

link::OutputStatus PosixRecordFile::finish() {
    if (fd_ < 0) return {};
    const bool device = target_.exists && !S_ISREG(target_.st.st_mode);
    int err = ops_.fsync(fd_) != 0 && !(device && errno == EINVAL) ? errno : 0;
    if (ops_.close(fd_) != 0 && !err) err = errno;
    fd_ = -1;
    if (err) return failed(err);
    if (partial_.empty()) return {};
    if (ops_.rename(partial_.c_str(), target_.path.c_str()) != 0) return failed(errno);
    location_ = target_.path;
    partial_.clear();
    if (const int e = posix::syncFolder(posix::folderOf(target_.path))) return failed(e);
    return {};
}

}  // namespace appgen::platform
