#include "io/FileWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "io/FileKind.h"

namespace io {

namespace {

WriteResult failed(std::string reason) { return {WriteResult::Status::Failed, std::move(reason)}; }
WriteResult failedWithErrno(int errorNumber) { return failed(ErrorText(errorNumber)); }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file a chain of symbolic links finally names (the path itself when it
// is no link); it need not exist. An error number when the chain cannot be
// followed (a loop, an unreadable link), or the reason a link is not followed.
struct Resolved {
    std::string path;
    int error = 0;
    std::string refusal;
};

// Whether a link may be followed where it lies. In a folder that everyone may
// write to and only owners may delete from (sticky, like /tmp), a link made
// by somebody else than the folder's owner or this user could lead a save
// onto any file this user may write: such a link is not followed, as the
// kernel's protected_symlinks rule would refuse it.
bool trustedLink(const std::string& link, const struct stat& linkStatus) {
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0) return true;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkStatus.st_uid == folder.st_uid || linkStatus.st_uid == ::geteuid();
}

Resolved followLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return {path, 0, {}};
        if (!trustedLink(path, status)) {
            return {path, 0,
                    "It is a symbolic link that another user made in a shared folder (" + folderOf(path) +
                        "); it is not followed"};
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) return {path, errno, {}};
        if (static_cast<std::size_t>(length) == sizeof target) return {path, ENAMETOOLONG, {}};
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : folderOf(path) + "/" + next;
    }
    return {path, ELOOP, {}};
}

// Write permission as the permission bits give it. Root may write any file,
// so for root a file without any write bit counts as read-only, as it does
// for the desktop's file dialogs.
bool readOnlyForUser(const std::string& path, const struct stat& status) {
    if (::geteuid() == 0) return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// The process's umask, read without changing it (changing it, even for a
// moment, would race with other threads creating files).
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

std::string randomName() {
    std::random_device random;
    char name[17];
    std::snprintf(name, sizeof name, "%08x%08x", random(), random());
    return std::string(TemporaryPrefix) + name + std::string(TemporarySuffix);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Gives the temporary file the name; NameTaken when it must not replace one.
WriteResult putInPlace(const std::string& temporary, const std::string& target, ExistingFile existing,
                       const WriteSeams& seams) {
    if (existing == ExistingFile::Replace) {
        if (::rename(temporary.c_str(), target.c_str()) != 0) return failedWithErrno(errno);
        return {WriteResult::Status::Written, {}};
    }
    // A hard link is made only when the name is free, whatever appeared there
    // meanwhile; a file system without hard links may still rename without
    // replacing.
    const int linked =
        seams.hardLink ? seams.hardLink(temporary.c_str(), target.c_str()) : ::link(temporary.c_str(), target.c_str());
    if (linked != 0) {
        int error = errno;
        if (error == EPERM || error == EOPNOTSUPP || error == EMLINK) {
            if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
                return {WriteResult::Status::Written, {}};
            }
            error = errno;
        }
        if (error == EEXIST) return {WriteResult::Status::NameTaken, {}};
        return failedWithErrno(error);
    }
    ::unlink(temporary.c_str());
    return {WriteResult::Status::Written, {}};
}

// The extended attributes a replaced file keeps: its access control list and
// the user's own attributes (user.*). The list goes last: it sets the group
// bits of the mode from its mask. When the list cannot be carried (a file
// system without lists, a list too large), the new file gets no more than
// the owner's bits and what the list gave everyone: never more open than the
// old one, whose named users and group may then lose access.
bool carryAttributes(const std::string& from, int to, mode_t mode) {
    std::vector<char> names(static_cast<std::size_t>(std::max<ssize_t>(::listxattr(from.c_str(), nullptr, 0), 0)));
    const ssize_t length = names.empty() ? 0 : ::listxattr(from.c_str(), names.data(), names.size());
    bool aclCarried = true;
    for (ssize_t at = 0; at < length;) {
        const std::string name(names.data() + at);
        at += static_cast<ssize_t>(name.size()) + 1;
        const bool acl = name == "system.posix_acl_access";
        if (!acl && name.rfind("user.", 0) != 0) continue;
        std::vector<char> value(static_cast<std::size_t>(std::max<ssize_t>(::getxattr(from.c_str(), name.c_str(), nullptr, 0), 0)));
        const ssize_t size = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
        const bool copied = size >= 0 && ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) == 0;
        if (acl && !copied) aclCarried = false;
    }
    if (!aclCarried) return ::fchmod(to, mode & (S_IRWXU | S_IROTH | S_IXOTH)) == 0;
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // The file is in place already; a folder that cannot be flushed (some file
    // systems refuse) leaves the rename to the system's own write-back.
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void RemoveLeftoverTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const auto oldest = std::chrono::system_clock::now() - LeftoverAge;
    const time_t before = std::chrono::system_clock::to_time_t(oldest);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= TemporaryPrefix.size() + TemporarySuffix.size() || !name.starts_with(TemporaryPrefix) ||
            !name.ends_with(TemporarySuffix)) {
            continue;
        }
        struct stat status {};
        if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || status.st_mtime >= before) continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

WriteResult WriteFile(const std::string& path, std::string_view bytes, ExistingFile existing) {
    return WriteFile(path, bytes, existing, WriteSeams{});
}

WriteResult WriteFile(const std::string& path, std::string_view bytes, ExistingFile existing, const WriteSeams& seams) {
    const auto stepDone = [&seams](WriteStep step) {
        if (seams.afterStep) seams.afterStep(step);
    };
    if (path.empty() || path.back() == '/') return failed("No file name was given");
    std::string target = path;
    if (existing == ExistingFile::Replace) {
        const Resolved resolved = followLinks(path);
        if (resolved.error != 0) return failedWithErrno(resolved.error);
        if (!resolved.refusal.empty()) return failed(resolved.refusal);
        target = resolved.path;
    }

    if (existing == ExistingFile::Keep && NameTaken(target)) return {WriteResult::Status::NameTaken, {}};
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return failedWithErrno(errno);
    if (exists) {
        if (auto reason = NotARegularFileReason(old)) return failed(*reason);
        if (readOnlyForUser(target, old)) return failed("It is read-only");
    }

    const std::string folder = folderOf(target);
    RemoveLeftoverTemporaries(folder);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "/" + randomName();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) return failedWithErrno(errno);
    }
    if (fd < 0) return failedWithErrno(EEXIST);
    stepDone(WriteStep::Created);

    const auto abandon = [&](int errorNumber) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return failedWithErrno(errorNumber);
    };
    if (!writeAll(fd, bytes)) return abandon(errno);
    stepDone(WriteStep::Written);
    if (exists) {
        // The owner first: changing it may clear the set-user-ID bits.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) return abandon(errno);
        if (::fchmod(fd, old.st_mode & 07777) != 0) return abandon(errno);
        if (!carryAttributes(target, fd, old.st_mode & 07777)) return abandon(errno);
    } else if (::fchmod(fd, 0666 & ~currentUmask()) != 0) {
        return abandon(errno);
    }
    stepDone(WriteStep::Permissions);
    if (::fsync(fd) != 0) return abandon(errno);
    stepDone(WriteStep::Flushed);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return failedWithErrno(error);
    }
    stepDone(WriteStep::Closed);

    const WriteResult placed = putInPlace(temporary, target, existing, seams);
    if (!placed.written()) {
        ::unlink(temporary.c_str());
        return placed;
    }
    stepDone(WriteStep::Placed);
    syncFolder(folder);
    stepDone(WriteStep::FolderFlushed);
    return placed;
}

}  // namespace io
