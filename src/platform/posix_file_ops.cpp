// The file operations on POSIX.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/file_ops.h"

namespace appgen::platform {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows in one path

int fdOf(FileHandle f) { return static_cast<int>(f); }
int result(int r) { return r == 0 ? 0 : errno; }

std::string folderPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links (a dangling one leads to the file it names, which
// a save then creates).
FileTarget resolve(const std::string& path) {
    FileTarget t;
    t.path = path;
    for (int hops = 0;; ++hops) {
        struct stat ls {};
        if (lstat(t.path.c_str(), &ls) != 0) {
            if (errno != ENOENT) t.error = errno;
            break;  // nothing there yet: the file will be made
        }
        if (!S_ISLNK(ls.st_mode)) {
            t.exists = true;
            t.device = !S_ISREG(ls.st_mode) && !S_ISDIR(ls.st_mode);
            t.bits = ls.st_mode;
            t.owner = ls.st_uid;
            t.group = ls.st_gid;
            break;
        }
        if (hops == kMaxLinks) {
            t.error = ELOOP;
            break;
        }
        std::vector<char> buf(static_cast<std::size_t>(ls.st_size > 0 ? ls.st_size : PATH_MAX) + 1);
        const ssize_t n = readlink(t.path.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) {
            t.error = errno;
            break;
        }
        const std::string link(buf.data(), static_cast<std::size_t>(n));
        t.path = !link.empty() && link[0] == '/' ? link : folderPart(t.path) + "/" + link;
    }
    t.shown = t.path;
    return t;
}

// A file without any write permission bit is refused as read-only, also to root.
std::string refusal(const FileTarget& t) {
    if (t.error) return std::strerror(t.error);
    if (!t.exists) return {};
    if (S_ISDIR(t.bits)) return std::strerror(EISDIR);
    if ((t.bits & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return "The file is read-only";
    if (access(t.path.c_str(), W_OK) != 0) return std::strerror(errno);
    return {};
}

int checkFolder(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

// Gives a new file the old one's permission bits, and its owner where the
// process may. Owner first: a chown may clear the set-id bits that the
// chmod then puts back.
void keepModeAndOwner(int fd, const FileTarget& old) {
    if (!old.exists) return;
    if (fchown(fd, old.owner, old.group) != 0) {
        if (fchown(fd, static_cast<uid_t>(-1), old.group) != 0) {
            // Neither is permitted: the file becomes the writer's own.
        }
    }
    fchmod(fd, old.bits & 07777);
}

int createNew(const std::string& path, const FileTarget& like, FileHandle& out) {
    // A new file gets the usual permissions; a replacement starts private
    // and takes the old file's permissions before any byte is in it.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, like.exists ? 0600 : 0666);
    if (fd < 0) return errno;
    keepModeAndOwner(fd, like);
    out = fd;
    return 0;
}

int openTarget(const FileTarget& t, bool empty, FileHandle& out) {
    const int fd = empty ? ::open(t.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)
                         : ::open(t.path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    out = fd;
    return 0;
}

int write(FileHandle f, const char* data, std::size_t size, std::size_t& written) {
    for (;;) {
        const ssize_t n = ::write(fdOf(f), data, size);
        if (n >= 0) {
            written = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) return errno;
    }
}

// A device or a pipe may not sync; a file must.
int sync(FileHandle f) {
    if (::fsync(fdOf(f)) == 0) return 0;
    const int err = errno;
    struct stat st {};
    if ((err == EINVAL || err == ENOTSUP) && fstat(fdOf(f), &st) == 0 && !S_ISREG(st.st_mode)) return 0;
    return err;
}

// Some file systems cannot sync a folder; their renames are safe anyway.
int syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = 0;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) err = errno;
    ::close(fd);
    return err;
}

FileFault fault(int error) {
    if (error == EEXIST) return FileFault::NameTaken;
    if (error == EACCES || error == EPERM) return FileFault::Denied;
    return FileFault::Other;
}

}  // namespace

FileOps systemFileOps() {
    FileOps ops;
    ops.resolve = resolve;
    ops.refusal = refusal;
    ops.checkFolder = checkFolder;
    // access() tells the system's own reason: EACCES, but EROFS on a
    // read-only file system.
    ops.probeFolder = [](const std::string& folder, const std::string&) {
        return result(access(folder.c_str(), W_OK | X_OK));
    };
    ops.exists = [](const std::string& p) {
        struct stat st {};
        return lstat(p.c_str(), &st) == 0;
    };
    ops.nameMax = [](const std::string& folder) {
        const long n = pathconf(folder.c_str(), _PC_NAME_MAX);
        return n > 0 ? static_cast<std::size_t>(n) : std::size_t{NAME_MAX};
    };
    ops.nameLength = [](const std::string& name) { return name.size(); };
    ops.createNew = createNew;
    ops.openTarget = openTarget;
    ops.write = write;
    ops.sync = sync;
    ops.truncate = [](FileHandle f, std::uint64_t n) { return result(::ftruncate(fdOf(f), static_cast<off_t>(n))); };
    ops.close = [](FileHandle f) { return result(::close(fdOf(f))); };
    ops.replace = [](const std::string& from, const FileTarget& to) {
        return result(::rename(from.c_str(), to.path.c_str()));
    };
    ops.remove = [](const std::string& p) { return result(::unlink(p.c_str())); };
    ops.syncFolder = syncFolder;
    ops.reason = [](int error) { return std::string(std::strerror(error)); };
    ops.fault = fault;
    ops.separators = "/";
    ops.noName = ENOENT;
    ops.nameTooLong = ENAMETOOLONG;
    ops.diskFull = ENOSPC;
    return ops;
}

}  // namespace appgen::platform
