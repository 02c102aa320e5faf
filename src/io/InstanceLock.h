// The lock that keeps a second instance of the program out. It is a lock the
// kernel holds on an open file (flock), so it ends with the process that
// holds it, however that process ends: what a lock file contains never keeps
// anyone out, and only a live instance can refuse a start.
#pragma once

#include <string>
#include <vector>

namespace io {

enum class LockClaim {
    Claimed,  // this process holds the lock
    Running,  // a live process holds it
    NoPlace,  // none of the places could hold a lock
};

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries the lock files in order and stops at the first that can be
    // opened: it is either claimed or held by a live process. A place is
    // passed over when it cannot be created or opened (an unwritable folder),
    // is not a regular file (a folder, a named pipe, a symbolic link),
    // belongs to another user or has another name too (a hard link). The claimed file gets `content` (for people
    // looking at it; it is never read back).
    LockClaim claim(const std::vector<std::string>& places, const std::string& content);

    // A folder of this user's own for a lock, `parent`/velorin-<user id>
    // (mode 0700), made when it is not there; empty when it cannot be made or
    // is not a folder only this user can write to (another user made it, it
    // is a link, others may write to it).
    static std::string PrivateFolder(const std::string& parent);

    // The lock file held; empty when none is.
    const std::string& path() const { return path_; }

private:
    void release();
    int fd_ = -1;
    std::string path_;
};

}  // namespace io
