// The safe save on POSIX: a temporary file beside the target, written,
// forced to the disk and renamed over it; the folder forced after it.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/posix_file_ops.h"
#include "platform/posix_file_parts.h"
#include "platform/safe_file.h"
#include "platform/side_file_names.h"

namespace appgen::platform {
namespace {

using posix::Target;

constexpr int kNameTries = 16;  // temporary names taken by others before we give up

FileWriteResult failed(int error) { return {false, posix::reasonOf(error)}; }

// Where no new file can be made beside it, the file itself is overwritten:
// not atomic, but the only save there is. A project keeps its size, so the
// overwrite needs no new room on a full disk.
FileWriteResult writeInPlace(const PosixFileOps& ops, const Target& t, std::string_view bytes) {
    const int fd = ops.open(t.path.c_str(), O_WRONLY | O_CLOEXEC, 0);
    if (fd < 0) return failed(errno);
    int err = posix::writeAll(ops, fd, bytes.data(), bytes.size());
    const bool regular = S_ISREG(t.st.st_mode);
    if (!err && regular && ops.ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) err = errno;
    // A device or a pipe may not sync; a file must.
    if (!err && ops.fsync(fd) != 0 && (regular || (errno != EINVAL && errno != ENOTSUP))) err = errno;
    if (ops.close(fd) != 0 && !err) err = errno;
    return err ? failed(err) : FileWriteResult{true, {}};
}

}  // namespace

PosixFileOps systemFileOps() {
    PosixFileOps ops;
    ops.open = [](const char* p, int f, mode_t m) { return ::open(p, f, m); };
    ops.write = [](int fd, const void* d, size_t n) { return ::write(fd, d, n); };
    ops.fsync = [](int fd) { return ::fsync(fd); };
    ops.ftruncate = [](int fd, off_t n) { return ::ftruncate(fd, n); };
    ops.rename = [](const char* a, const char* b) { return ::rename(a, b); };
    ops.unlink = [](const char* p) { return ::unlink(p); };
    ops.close = [](int fd) { return ::close(fd); };
    return ops;
}

FileWriteResult replaceFileWith(const PosixFileOps& ops, const std::string& path,
                                std::string_view bytes) {
    if (path.empty()) return failed(ENOENT);
    const Target t = posix::resolveTarget(path);
    if (const std::string why = posix::refusalOf(t); !why.empty()) return {false, why};
    if (t.exists && !S_ISREG(t.st.st_mode)) return writeInPlace(ops, t, bytes);

    const std::string folder = posix::folderOf(t.path);
    const std::string name = posix::nameOf(t.path);
    const std::size_t maxName = posix::nameMax(folder);
    if (name.size() > maxName) return failed(ENAMETOOLONG);

    std::random_device random;
    std::string temp;
    int fd = -1;
    for (int i = 0; i < kNameTries && fd < 0; ++i) {
        temp = folder + "/" + temporaryName(name, maxName, random());
        // A new file gets the usual permissions; a replacement starts private
        // and takes the old file's permissions before any byte is in it.
        fd = ops.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, t.exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        if (t.exists && (err == EACCES || err == EPERM)) return writeInPlace(ops, t, bytes);
        return failed(err);
    }

    posix::keepModeAndOwner(fd, t);
    int err = posix::writeAll(ops, fd, bytes.data(), bytes.size());
    if (!err && ops.fsync(fd) != 0) err = errno;
    if (ops.close(fd) != 0 && !err) err = errno;
    if (!err && ops.rename(temp.c_str(), t.path.c_str()) != 0) err = errno;
    if (err) {
        ops.unlink(temp.c_str());
        return failed(err);
    }
    if (const int e = posix::syncFolder(folder)) {
        return {false, "the file was written but its folder could not be forced to the disk: " +
                           posix::reasonOf(e)};
    }
    return {true, {}};
}

FileWriteResult replaceFile(const std::string& path, std::string_view bytes) {
    return replaceFileWith(systemFileOps(), path, bytes);
}

}  // namespace appgen::platform
