#include "io/InstanceLock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace io {

namespace {

// An open lock file that is this user's regular file of one name only, or
// -1. Looked at before it is opened, so that a device of that name is never
// opened; opened without truncating, so that a hard link to another file
// (which the content written below would overwrite) is refused unharmed.
int openPlace(const std::string& place) {
    struct stat before {};
    if (::lstat(place.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) return -1;
    const int fd = ::open(place.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_uid != ::geteuid() ||
        opened.st_nlink != 1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string InstanceLock::PrivateFolder(const std::string& parent) {
    const std::string folder = parent + "/velorin-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() ||
        (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return {};
    }
    return folder;
}

InstanceLock::~InstanceLock() { release(); }

void InstanceLock::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    path_.clear();
}

LockClaim InstanceLock::claim(const std::vector<std::string>& places, const std::string& content) {
    release();
    for (const std::string& place : places) {
        const int fd = openPlace(place);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) return LockClaim::Running;
            continue;  // a file system without locks
        }
        if (::ftruncate(fd, 0) == 0) {
            // Only informative: a failed write leaves the lock as good.
            [[maybe_unused]] const ssize_t written = ::pwrite(fd, content.data(), content.size(), 0);
        }
        fd_ = fd;
        path_ = place;
        return LockClaim::Claimed;
    }
    return LockClaim::NoPlace;
}

}  // namespace io
