// Stand-in for the safe file routine until its full version lands: a
// temporary file beside the target, flushed to the disk, renamed over it.
#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace appgen::platform {

FileWriteResult replaceFile(const std::string& path, std::string_view bytes) {
    const std::string temp = path + ".~" + std::to_string(::getpid());
    auto fail = [&](int err) {
        ::unlink(temp.c_str());
        return FileWriteResult{false, std::strerror(err)};
    };
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return FileWriteResult{false, std::strerror(errno)};
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return fail(err);
        }
        done += static_cast<std::size_t>(n);
    }
    const int synced = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && synced == 0) return fail(errno);
    if (synced != 0) return fail(synced);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
    return {true, {}};
}

}  // namespace appgen::platform
