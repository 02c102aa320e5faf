#include "io/FileReader.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/FileKind.h"

namespace io {

ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes) {
    // Looked at first, so that a device is never opened; then opened without
    // waiting (a named pipe put there meanwhile opens at once) and looked at
    // again.
    if (auto reason = NotARegularFileReason(path)) return {{}, *reason};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {{}, ErrorText(errno)};
    ReadResult result;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        result.error = ErrorText(errno);
    } else if (auto reason = NotARegularFileReason(status)) {
        result.error = *reason;
    } else {
        result.bytes.resize(maxBytes);
        std::size_t got = 0;
        while (got < maxBytes) {
            const ssize_t n = ::read(fd, result.bytes.data() + got, maxBytes - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                result.error = ErrorText(errno);
                break;
            }
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        result.bytes.resize(result.error.empty() ? got : 0);
    }
    ::close(fd);
    return result;
}

}  // namespace io
