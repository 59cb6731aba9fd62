#include "platform/posix_file_parts.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace appgen::platform::posix {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows in one path

}  // namespace

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

Target resolveTarget(const std::string& path) {
    Target t;
    t.path = path;
    for (int hops = 0;; ++hops) {
        struct stat ls {};
        if (lstat(t.path.c_str(), &ls) != 0) {
            if (errno != ENOENT) t.error = errno;
            return t;  // nothing there yet: the file will be made
        }
        if (!S_ISLNK(ls.st_mode)) {
            t.exists = true;
            t.st = ls;
            return t;
        }
        if (hops == kMaxLinks) {
            t.error = ELOOP;
            return t;
        }
        std::vector<char> buf(static_cast<std::size_t>(ls.st_size > 0 ? ls.st_size : PATH_MAX) + 1);
        const ssize_t n = readlink(t.path.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) {
            t.error = errno;
            return t;
        }
        const std::string link(buf.data(), static_cast<std::size_t>(n));
        t.path = !link.empty() && link[0] == '/' ? link : folderOf(t.path) + "/" + link;
    }
}

std::string refusalOf(const Target& t) {
    if (t.error) return reasonOf(t.error);
    if (!t.exists) return {};
    if (S_ISDIR(t.st.st_mode)) return reasonOf(EISDIR);
    if ((t.st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return "The file is read-only";
    if (access(t.path.c_str(), W_OK) != 0) return reasonOf(errno);
    return {};
}

std::size_t nameMax(const std::string& folder) {
    const long n = pathconf(folder.c_str(), _PC_NAME_MAX);
    return n > 0 ? static_cast<std::size_t>(n) : NAME_MAX;
}

int writeAll(const PosixFileOps& ops, int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ops.write(fd, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n < 0 ? errno : ENOSPC;  // a write that takes nothing: the disk is full
        }
    }
    return 0;
}

int syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = 0;
    // Some file systems cannot sync a folder; their renames are safe anyway.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) err = errno;
    ::close(fd);
    return err;
}

void keepModeAndOwner(int fd, const Target& old) {
    if (!old.exists) return;
    // Owner first: a chown may clear the set-id bits that the chmod then puts back.
    if (fchown(fd, old.st.st_uid, old.st.st_gid) != 0) {
        if (fchown(fd, static_cast<uid_t>(-1), old.st.st_gid) != 0) {
            // Neither is permitted: the file becomes the saver's own.
        }
    }
    fchmod(fd, old.st.st_mode & 07777);
}

std::string reasonOf(int error) { return std::strerror(error); }

}  // namespace appgen::platform::posix
