#include "io/FileKind.h"

#include <cstring>

namespace io {

std::optional<std::string> NotARegularFileReason(const struct stat& status) {
    if (S_ISREG(status.st_mode)) return std::nullopt;
    if (S_ISDIR(status.st_mode)) return "It is a folder, not a file";
    if (S_ISFIFO(status.st_mode)) return "It is a named pipe (FIFO), not a file";
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "It is a device, not a file";
    if (S_ISSOCK(status.st_mode)) return "It is a socket, not a file";
    return "It is not a regular file";
}

std::optional<std::string> NotARegularFileReason(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return NotARegularFileReason(status);
}

bool NameTaken(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

std::string ErrorText(int errorNumber) {
    char buffer[256];
    // The GNU strerror_r returns the text, which need not be in the buffer.
    return ::strerror_r(errorNumber, buffer, sizeof buffer);
}

}  // namespace io
