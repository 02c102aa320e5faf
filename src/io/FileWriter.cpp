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
#include <csignal>
#include <pthread.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "io/FileKind.h"

namespace io {

namespace {

constexpr const char* AccessListAttribute = "system.posix_acl_access";

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

// The path with every symbolic link in it followed, the folders' as well as
// the file's own: a link another user made in a shared folder is refused
// wherever it lies on the way.
Resolved followLinks(const std::string& path) {
    std::vector<std::string> rest;  // the components still to walk, the next last
    const auto pushComponents = [&rest](const std::string& text) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t slash = text.find('/', start);
            const std::string part = text.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            if (!part.empty() && part != ".") parts.push_back(part);
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        rest.insert(rest.end(), parts.rbegin(), parts.rend());
    };
    std::string current = !path.empty() && path.front() == '/' ? "/" : "";
    pushComponents(path);
    int links = 0;
    while (!rest.empty()) {
        const std::string part = rest.back();
        rest.pop_back();
        const std::string candidate = current.empty() ? part : current == "/" ? "/" + part : current + "/" + part;
        if (part == "..") {
            current = candidate;  // above a folder already walked: no link left to follow in it
            continue;
        }
        struct stat status {};
        if (::lstat(candidate.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            current = candidate;
            continue;
        }
        if (++links > 40) return {candidate, ELOOP, {}};
        if (!trustedLink(candidate, status)) {
            return {candidate, 0,
                    "It is a symbolic link that another user made in a shared folder (" + folderOf(candidate) +
                        "); it is not followed"};
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(candidate.c_str(), target, sizeof target);
        if (length < 0) return {candidate, errno, {}};
        if (static_cast<std::size_t>(length) == sizeof target) return {candidate, ENAMETOOLONG, {}};
        const std::string next(target, static_cast<std::size_t>(length));
        if (next.front() == '/') current = "/";
        pushComponents(next);
    }
    return {current.empty() ? std::string(".") : current, 0, {}};
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

// The extended attributes a replaced file keeps: its access control list and
// the user's own attributes (user.*).
struct Attribute {
    std::string name;
    std::vector<char> value;
};
std::vector<Attribute> attributesOf(const std::string& path) {
    std::vector<Attribute> kept;
    std::vector<char> names(static_cast<std::size_t>(std::max<ssize_t>(::listxattr(path.c_str(), nullptr, 0), 0)));
    const ssize_t length = names.empty() ? 0 : ::listxattr(path.c_str(), names.data(), names.size());
    for (ssize_t at = 0; at < length;) {
        std::string name(names.data() + at);
        at += static_cast<ssize_t>(name.size()) + 1;
        if (name != AccessListAttribute && name.rfind("user.", 0) != 0) continue;
        std::vector<char> value(
            static_cast<std::size_t>(std::max<ssize_t>(::getxattr(path.c_str(), name.c_str(), nullptr, 0), 0)));
        const ssize_t size = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
        if (size < 0) continue;
        value.resize(static_cast<std::size_t>(size));
        kept.push_back({std::move(name), std::move(value)});
    }
    return kept;
}

// Gives the new file the old one's owner, mode and attributes. The access
// list goes last: it sets the group bits of the mode from its mask. When the
// list cannot be carried (a file system without lists), the new file gets no
// more than the owner's bits and what the list gave everyone: never more open
// than the old one, whose named users and group may then lose access.
bool takeOver(int fd, const struct stat& old, const std::vector<Attribute>& attributes) {
    // The owner first: changing it may clear the set-user-ID bits.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) return false;
    const mode_t mode = old.st_mode & 07777;
    if (::fchmod(fd, mode) != 0) return false;
    bool listCarried = true;
    for (const Attribute& attribute : attributes) {
        const bool set = ::fsetxattr(fd, attribute.name.c_str(), attribute.value.data(), attribute.value.size(), 0) == 0;
        if (!set && attribute.name == AccessListAttribute) listCarried = false;
    }
    return listCarried || ::fchmod(fd, mode & (S_IRWXU | S_IROTH | S_IXOTH)) == 0;
}

// Interrupts and requests to terminate wait while held (they are delivered
// when the object ends): the steps between a temporary name and the
// target's are not cut in two by them.
class HeldSignals {
public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~HeldSignals() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t previous_;
};

void removeLeftovers(int folder) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return;
    }
    const auto oldest = std::chrono::system_clock::now() - LeftoverAge;
    const time_t before = std::chrono::system_clock::to_time_t(oldest);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(std::string_view(entry->d_name))) continue;
        struct stat status {};
        if (::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
        // The program's own leftovers, of any mode: a file that replaced
        // another had that one's mode when it had its temporary name.
        if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || status.st_mtime >= before) {
            continue;
        }
        ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(dir);
}

// An open folder, closed with the object: every step of a write names its
// files relative to it, so that a folder swapped for a link meanwhile cannot
// send a step elsewhere.
class Folder {
public:
    explicit Folder(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// The file being written: anonymous (O_TMPFILE) where the file system allows
// it, so that a write cut short leaves nothing; else a temporary file of its
// own name. Whatever happens, no temporary name outlives the object.
class NewFile {
public:
    NewFile(int folder, bool anonymous) : folder_(folder) {
        if (anonymous) {
            fd_ = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (fd_ >= 0) return;
        }
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = randomName();
            fd_ = ::openat(folder, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) {
            error_ = errno;
            name_.clear();
        }
    }
    ~NewFile() {
        if (fd_ >= 0) ::close(fd_);
        dropName();
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int fd() const { return fd_; }
    int error() const { return error_; }
    const std::string& name() const { return name_; }

    // A temporary name for an anonymous file, so that it can be renamed.
    bool giveName(const WriteSeams& seams) {
        if (!name_.empty()) return true;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = randomName();
            const int linked = seams.hardLink ? seams.hardLink(self.c_str(), name.c_str())
                                              : ::linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW);
            if (linked == 0) {
                name_ = std::move(name);
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }
    // The file has its final name: the temporary one is no longer there.
    void placed() { name_.clear(); }
    void dropName() {
        if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
        name_.clear();
    }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int folder_;
    int fd_ = -1;
    int error_ = 0;
    std::string name_;
};

}  // namespace

void RemoveLeftoverTemporaries(const std::string& folder) {
    const Folder open(folder);
    if (open.fd() >= 0) removeLeftovers(open.fd());
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
    } else {
        // The name itself is never followed (a link there is a name taken),
        // the folders on the way are, by the same rule.
        const Resolved folder = followLinks(folderOf(path));
        if (folder.error != 0) return failedWithErrno(folder.error);
        if (!folder.refusal.empty()) return failed(folder.refusal);
        if (folder.path != folderOf(path)) target = (folder.path == "/" ? "" : folder.path) + "/" + path.substr(path.rfind('/') + 1);
    }

    if (existing == ExistingFile::Keep && NameTaken(target)) return {WriteResult::Status::NameTaken, {}};
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return failedWithErrno(errno);
    if (exists) {
        if (auto reason = NotARegularFileReason(old)) return failed(*reason);
        if (readOnlyForUser(target, old)) return failed("It is read-only");
    }

    const Folder folder(folderOf(target));
    if (folder.fd() < 0) return failedWithErrno(errno);
    const std::string name = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
    removeLeftovers(folder.fd());
    // A file that replaces another is anonymous until it is whole; one that
    // must not replace anything gets its name by a hard link (below), which
    // an anonymous file cannot get without one of its own first.
    NewFile file(folder.fd(), existing == ExistingFile::Replace);
    if (file.fd() < 0) return failedWithErrno(file.error());
    stepDone(WriteStep::Created);
    if (!writeAll(file.fd(), bytes)) return failedWithErrno(errno);
    stepDone(WriteStep::Written);
    if (exists) {
        if (!takeOver(file.fd(), old, attributesOf(target))) return failedWithErrno(errno);
    } else if (existing == ExistingFile::Replace && ::fchmod(file.fd(), 0666 & ~currentUmask()) != 0) {
        return failedWithErrno(errno);
    }
    stepDone(WriteStep::Permissions);
    if (::fsync(file.fd()) != 0) return failedWithErrno(errno);
    stepDone(WriteStep::Flushed);

    // From a temporary name to the target's, signals wait.
    const HeldSignals held;
    if (existing == ExistingFile::Replace) {
        if (!file.giveName(seams)) return failedWithErrno(errno);
        stepDone(WriteStep::Named);
        if (::renameat(folder.fd(), file.name().c_str(), folder.fd(), name.c_str()) != 0) return failedWithErrno(errno);
        file.placed();
    } else {
        // A hard link is made only when the name is free, whatever appeared
        // there meanwhile; a file system without hard links may still rename
        // without replacing.
        const std::string temporary = file.name();
        const int linked = seams.hardLink ? seams.hardLink(temporary.c_str(), name.c_str())
                                          : ::linkat(folder.fd(), temporary.c_str(), folder.fd(), name.c_str(), 0);
        if (linked == 0) {
            file.dropName();
        } else {
            int error = errno;
            if (error == EPERM || error == EOPNOTSUPP || error == EMLINK) {
                if (::renameat2(folder.fd(), temporary.c_str(), folder.fd(), name.c_str(), RENAME_NOREPLACE) == 0) {
                    file.placed();
                    error = 0;
                } else {
                    error = errno;
                }
            }
            if (error == EEXIST) return {WriteResult::Status::NameTaken, {}};
            if (error != 0) return failedWithErrno(error);
        }
        // Named now: the usual permissions (it was 0600 while it had a
        // temporary name, so that a leftover is recognised as one).
        if (::fchmod(file.fd(), 0666 & ~currentUmask()) != 0) return failedWithErrno(errno);
    }
    stepDone(WriteStep::Placed);
    if (!file.close()) return failedWithErrno(errno);
    stepDone(WriteStep::Closed);
    // The file is in place already; a folder that cannot be flushed (some
    // file systems refuse) leaves the rename to the system's own write-back.
    ::fsync(folder.fd());
    stepDone(WriteStep::FolderFlushed);
    return {WriteResult::Status::Written, {}};
}

}  // namespace io
