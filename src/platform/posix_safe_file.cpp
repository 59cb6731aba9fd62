// A first, minimal safe replace: temporary file beside the target, fsync,
// rename over it.
#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace appgen::platform {

FileWriteResult replaceFile(const std::string& path, std::string_view bytes) {
    std::string target = path;
    char resolved[PATH_MAX];
    struct stat st{};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) {
        if (::realpath(path.c_str(), resolved)) target = resolved;
        mode = st.st_mode & 07777;
        if (::access(target.c_str(), W_OK) != 0) return {false, std::strerror(errno)};
    }
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return {false, std::strerror(errno)};
    const auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return FileWriteResult{false, std::strerror(err)};
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {false, std::strerror(err)};
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {false, std::strerror(err)};
    }
    return {true, {}};
}

}  // namespace appgen::platform
