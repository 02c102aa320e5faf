// The writer of every file: what it refuses, what it keeps of the file it
// replaces, where its temporary file goes, and that a write cut short at any
// moment leaves the old file or the new one, never a mixture.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "io/FileWriter.h"
#include "support/TempFolder.h"

using namespace testio;

namespace {

class FileWriter : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.valid()); }
    std::string path(const std::string& name) const { return folder / name; }
    TempFolder folder;
};

// Makes a node of each kind that is not a regular file; false when this
// machine does not let the test make it.
bool makeNode(const std::string& kind, const std::string& path) {
    if (kind == "folder") return ::mkdir(path.c_str(), 0755) == 0;
    if (kind == "named pipe") return ::mkfifo(path.c_str(), 0644) == 0;
    // The numbers of the null device, in a folder of the test's own: nothing
    // of the machine's is touched, whatever a faulty writer does.
    if (kind == "device") return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (kind == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path) return false;
        std::strcpy(address.sun_path, path.c_str());
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return bound;
    }
    return false;
}

TEST_F(FileWriter, RefusesWhatIsNotARegularFileWithoutOpeningIt) {
    struct Case {
        const char* kind;
        const char* reason;
        mode_t type;
    } const cases[] = {
        {"folder", "It is a folder, not a file", S_IFDIR},
        {"named pipe", "It is a named pipe (FIFO), not a file", S_IFIFO},
        {"device", "It is a device, not a file", S_IFCHR},
        {"socket", "It is a socket, not a file", S_IFSOCK},
    };
    for (const Case& c : cases) {
        const std::string target = path(std::string("target-") + c.kind);
        if (!makeNode(c.kind, target)) {
            std::printf("[ SKIPPED  ] a %s cannot be made here (%s)\n", c.kind, std::strerror(errno));
            continue;
        }
        // A reader waits on the named pipe, so that a writer that opened it
        // would not block the test but deliver its bytes there.
        const int reader = c.type == S_IFIFO ? ::open(target.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        const io::WriteResult result = io::WriteFile(target, "chart");
        EXPECT_EQ(result.status, io::WriteResult::Status::Failed) << c.kind;
        EXPECT_EQ(result.reason, c.reason) << c.kind;
        EXPECT_EQ(modeOf(target) & S_IFMT, c.type) << c.kind;
        if (reader >= 0) {
            char byte;
            EXPECT_LE(::read(reader, &byte, 1), 0) << "bytes reached the named pipe";
            ::close(reader);
        }
    }
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

TEST_F(FileWriter, ReplacesAndKeepsThePermissionBits) {
    for (const mode_t mode : {0600U, 0640U, 0604U, 0755U, 0200U, 04755U}) {
        const std::string target = path("kept-" + std::to_string(mode));
        writeFile(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        const io::WriteResult result = io::WriteFile(target, "new content");
        ASSERT_TRUE(result.written()) << std::oct << mode << ": " << result.reason;
        EXPECT_EQ(contentOf(target), "new content");
        EXPECT_EQ(modeOf(target) & 07777, mode) << std::oct << mode;
        EXPECT_TRUE(S_ISREG(modeOf(target)));
    }
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

// An access control list in the binary form the kernel keeps it
// (system.posix_acl_access): the owner rw-, a named user rw-, the owning
// group r--, the mask rw-, others r--, as setfacl makes it for
// "u::rw-,u:4242:rw-,g::r--,m::rw-,o::r--".
std::string aclOfNamedUser() {
    const auto entry = [](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        std::string bytes(8, '\0');
        std::memcpy(&bytes[0], &tag, 2);
        std::memcpy(&bytes[2], &perm, 2);
        std::memcpy(&bytes[4], &id, 4);
        return bytes;
    };
    const std::uint32_t version = 2, none = 0xFFFFFFFFU;
    std::string acl(4, '\0');
    std::memcpy(&acl[0], &version, 4);
    return acl + entry(0x01, 6, none) + entry(0x02, 6, 4242) + entry(0x04, 4, none) + entry(0x10, 6, none) +
           entry(0x20, 4, none);
}

// A replaced file keeps its access control list and the user's extended
// attributes: a named user keeps access, the owning group gains none.
TEST_F(FileWriter, AReplacedFileKeepsItsAccessListAndAttributes) {
    const std::string target = path("shared.vrc");
    writeFile(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    const std::string acl = aclOfNamedUser();
    if (::setxattr(target.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(target.c_str(), "user.note", "kept", 4, 0) != 0) {
        GTEST_SKIP() << "this file system keeps no access lists or user attributes here (" << std::strerror(errno) << ")";
    }
    ASSERT_TRUE(io::WriteFile(target, "new").written());
    EXPECT_EQ(contentOf(target), "new");
    std::string kept(64, '\0');
    const ssize_t aclSize = ::getxattr(target.c_str(), "system.posix_acl_access", kept.data(), kept.size());
    ASSERT_GT(aclSize, 0) << "the access list was lost";
    kept.resize(static_cast<std::size_t>(aclSize));
    EXPECT_EQ(kept, acl);
    EXPECT_EQ(modeOf(target) & 0777, 0664U);  // the group bits show the mask, as before the save
    char note[8] = {};
    EXPECT_EQ(::getxattr(target.c_str(), "user.note", note, sizeof note), 4);
    EXPECT_STREQ(note, "kept");
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

// A file with a second name (a hard link) is replaced under the name saved
// to; the other name keeps the old content (as the README's table says).
TEST_F(FileWriter, ASecondNameOfTheFileKeepsTheOldContent) {
    writeFile(path("chart.vrc"), "old");
    ASSERT_EQ(::link(path("chart.vrc").c_str(), path("other-name.vrc").c_str()), 0);
    ASSERT_TRUE(io::WriteFile(path("chart.vrc"), "new").written());
    EXPECT_EQ(contentOf(path("chart.vrc")), "new");
    EXPECT_EQ(contentOf(path("other-name.vrc")), "old");
}

TEST_F(FileWriter, ANewFileGetsTheUsualPermissions) {
    for (const mode_t mask : {022U, 077U, 002U}) {
        const mode_t before = ::umask(mask);
        const std::string target = path("new-" + std::to_string(mask));
        const io::WriteResult result = io::WriteFile(target, "x");
        ::umask(before);
        ASSERT_TRUE(result.written()) << result.reason;
        EXPECT_EQ(modeOf(target) & 07777, 0666 & ~mask) << std::oct << mask;
    }
}

TEST_F(FileWriter, KeepsTheOwnerWherePermitted) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
    const std::string target = path("owned");
    writeFile(target, "old");
    ASSERT_EQ(::chown(target.c_str(), 1234, 5678), 0);
    ASSERT_TRUE(io::WriteFile(target, "new").written());
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 1234U);
    EXPECT_EQ(status.st_gid, 5678U);
}

TEST_F(FileWriter, AReadOnlyFileIsRefusedEvenForRoot) {
    for (const mode_t mode : {0444U, 0400U, 0000U}) {
        const std::string target = path("read-only-" + std::to_string(mode));
        writeFile(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        const io::WriteResult result = io::WriteFile(target, "new");
        EXPECT_EQ(result.status, io::WriteResult::Status::Failed);
        EXPECT_EQ(result.reason, "It is read-only");
        EXPECT_EQ(contentOf(target), "old");
    }
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

// In a sticky folder that everyone may write to (like /tmp), a link is
// followed only when the folder's owner or this user made it: another user's
// link could lead the save onto any file this user may write.
TEST_F(FileWriter, AnotherUsersLinkInASharedStickyFolderIsNotFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may make a link and a folder of other users";
    const uid_t me = ::geteuid(), other = 4242, owner = 4343;
    const struct {
        mode_t folderMode;
        uid_t folderOwner, linkOwner;
        bool followed;
    } cases[] = {
        {01777, owner, other, false},  // another user's link in a shared folder
        {01777, owner, me, true},      // my own link there
        {01777, owner, owner, true},   // the folder owner's link
        {00777, owner, other, true},   // not sticky: anybody may replace the link anyway
        {01775, owner, other, true},   // sticky but not world-writable
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string shared = path("shared-" + std::to_string(n)), target = path("secret-" + std::to_string(n));
        ++n;
        writeFile(target, "secret");
        ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
        ASSERT_EQ(::mkdir(shared.c_str(), 0755), 0);
        ASSERT_EQ(::chown(shared.c_str(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
        const std::string link = shared + "/chart.vrc";
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
        const io::WriteResult result = io::WriteFile(link, "chart");
        EXPECT_EQ(result.written(), c.followed) << std::oct << c.folderMode << std::dec << " " << c.linkOwner;
        EXPECT_EQ(contentOf(target), c.followed ? "chart" : "secret") << n;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << n;
        if (!c.followed) {
            EXPECT_NE(result.reason.find("symbolic link that another user made in a shared folder"), std::string::npos)
                << result.reason;
        }
        // The same link as a folder of the path, for a file that replaces
        // another and for a picture that never does.
        const std::string victim = path("victim-" + std::to_string(n)), folderLink = shared + "/evil";
        ASSERT_EQ(::mkdir(victim.c_str(), 0755), 0);
        writeFile(victim + "/config", "theirs");
        ASSERT_EQ(::symlink(victim.c_str(), folderLink.c_str()), 0);
        ASSERT_EQ(::lchown(folderLink.c_str(), c.linkOwner, c.linkOwner), 0);
        EXPECT_EQ(io::WriteFile(folderLink + "/config", "chart").written(), c.followed) << n;
        EXPECT_EQ(contentOf(victim + "/config"), c.followed ? "chart" : "theirs") << n;
        EXPECT_EQ(io::WriteFile(folderLink + "/picture.jpg", "jpeg", io::ExistingFile::Keep).written(), c.followed) << n;
        EXPECT_EQ(std::filesystem::exists(victim + "/picture.jpg"), c.followed) << n;
    }
}

TEST_F(FileWriter, WritesThroughSymbolicLinksToTheirFinalTarget) {
    ASSERT_EQ(::mkdir(path("real").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(path("links").c_str(), 0755), 0);
    writeFile(path("real/chart.vrc"), "old");
    ASSERT_EQ(::chmod(path("real/chart.vrc").c_str(), 0600), 0);
    // links/first -> second (relative, same folder) -> ../real/chart.vrc
    ASSERT_EQ(::symlink("second", path("links/first").c_str()), 0);
    ASSERT_EQ(::symlink("../real/chart.vrc", path("links/second").c_str()), 0);
    // A link to a file that does not exist yet makes that file.
    ASSERT_EQ(::symlink(path("real/new.vrc").c_str(), path("links/dangling").c_str()), 0);

    ASSERT_TRUE(io::WriteFile(path("links/first"), "new").written());
    EXPECT_EQ(contentOf(path("real/chart.vrc")), "new");
    EXPECT_EQ(modeOf(path("real/chart.vrc")) & 07777, 0600U);
    EXPECT_TRUE(S_ISLNK(modeOf(path("links/first"))));
    EXPECT_TRUE(S_ISLNK(modeOf(path("links/second"))));
    ASSERT_TRUE(io::WriteFile(path("links/dangling"), "made").written());
    EXPECT_EQ(contentOf(path("real/new.vrc")), "made");
    EXPECT_TRUE(S_ISLNK(modeOf(path("links/dangling"))));
    EXPECT_EQ(temporariesIn(path("links")), 0);
    EXPECT_EQ(temporariesIn(path("real")), 0);

    // A loop of links is reported, not followed for ever.
    ASSERT_EQ(::symlink("loop-b", path("links/loop-a").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a", path("links/loop-b").c_str()), 0);
    const io::WriteResult loop = io::WriteFile(path("links/loop-a"), "x");
    EXPECT_EQ(loop.reason, std::strerror(ELOOP));
    // A link to a folder is the folder.
    ASSERT_EQ(::symlink("../real", path("links/folder").c_str()), 0);
    EXPECT_EQ(io::WriteFile(path("links/folder"), "x").reason, "It is a folder, not a file");
}

TEST_F(FileWriter, KeepingAnExistingNameWritesOnlyAFreeOne) {
    writeFile(path("taken.jpg"), "old");
    ASSERT_EQ(::symlink(path("nowhere").c_str(), path("dangling.jpg").c_str()), 0);
    ASSERT_EQ(::mkdir(path("folder.jpg").c_str(), 0755), 0);
    for (const char* name : {"taken.jpg", "dangling.jpg", "folder.jpg"}) {
        const io::WriteResult result = io::WriteFile(path(name), "new", io::ExistingFile::Keep);
        EXPECT_EQ(result.status, io::WriteResult::Status::NameTaken) << name;
    }
    EXPECT_EQ(contentOf(path("taken.jpg")), "old");
    EXPECT_FALSE(std::filesystem::exists(path("nowhere")));
    ASSERT_TRUE(io::WriteFile(path("free.jpg"), "new", io::ExistingFile::Keep).written());
    EXPECT_EQ(contentOf(path("free.jpg")), "new");
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

TEST_F(FileWriter, FailuresGiveTheSystemsReason) {
    const struct {
        std::string target;
        std::string reason;
    } cases[] = {
        {path("no/such/folder/chart.vrc"), std::strerror(ENOENT)},
        {path("a-file/chart.vrc"), std::strerror(ENOTDIR)},
        {path("ends-in-a-slash/"), "No file name was given"},
        {"", "No file name was given"},
    };
    writeFile(path("a-file"), "");
    for (const auto& c : cases) {
        const io::WriteResult result = io::WriteFile(c.target, "x");
        EXPECT_EQ(result.status, io::WriteResult::Status::Failed) << c.target;
        EXPECT_EQ(result.reason, c.reason) << c.target;
    }
}

// A small file system that is full, where this machine lets a test mount one.
TEST_F(FileWriter, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string disk = path("full");
    ASSERT_EQ(::mkdir(disk.c_str(), 0755), 0);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno) << ")";
    }
    writeFile(disk + "/old.vrc", "old content");
    {
        std::ofstream filler(disk + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i) {
        }
    }
    const io::WriteResult result = io::WriteFile(disk + "/old.vrc", std::string(16 * 1024, 'n'));
    const io::WriteResult jpeg = io::WriteFile(disk + "/chart.jpg", std::string(16 * 1024, 'j'), io::ExistingFile::Keep);
    const std::string old = contentOf(disk + "/old.vrc");
    const int left = temporariesIn(disk);
    const bool chartThere = std::filesystem::exists(disk + "/chart.jpg");
    ::umount(disk.c_str());

    EXPECT_EQ(result.reason, std::strerror(ENOSPC));
    EXPECT_EQ(jpeg.status, io::WriteResult::Status::Failed);
    EXPECT_EQ(jpeg.reason, std::strerror(ENOSPC));
    EXPECT_EQ(old, "old content");
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(chartThere);
}

void setAge(const std::string& path, std::chrono::seconds age) {
    const auto then = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now() - age);
    const timespec times[2] = {{then, 0}, {then, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

TEST_F(FileWriter, ASaveRemovesItsOwnLeftoversOlderThanAMinute) {
    for (const LeftoverCase& c : LeftoverCases) {
        if (c.folder) {
            ASSERT_EQ(::mkdir(path(c.name).c_str(), 0755), 0);
        } else {
            writeFile(path(c.name), "left");
            ASSERT_EQ(::chmod(path(c.name).c_str(), 0600), 0);  // as the writer makes them
        }
        setAge(path(c.name), c.age);
    }
    // Of the writer's form and age in another mode (a file that replaced
    // another had that one's mode under its temporary name): removed too; not
    // this user's: kept.
    const std::string readable = path(".velorin-00112233445566ff.tmp"), others = path(".velorin-ffeeddccbbaa9988.tmp");
    // Upper-case digits are not the writer's (a name that differs from
    // another only in case is one name on Windows: kept out of the shared table).
    const std::string upper = path(".velorin-0123456789ABCDEF.tmp");
    writeFile(upper, "mine");
    ASSERT_EQ(::chmod(upper.c_str(), 0600), 0);
    setAge(upper, std::chrono::hours(48));
    writeFile(readable, "mine");
    ASSERT_EQ(::chmod(readable.c_str(), 0644), 0);
    setAge(readable, std::chrono::minutes(2));
    writeFile(others, "theirs");
    ASSERT_EQ(::chmod(others.c_str(), 0600), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(others.c_str(), 4242, 4242), 0);
    }
    setAge(others, std::chrono::minutes(2));

    ASSERT_TRUE(io::WriteFile(path("chart.vrc"), "new").written());
    for (const LeftoverCase& c : LeftoverCases) EXPECT_EQ(std::filesystem::exists(path(c.name)), !c.removed) << c.name;
    EXPECT_FALSE(std::filesystem::exists(readable));
    EXPECT_TRUE(std::filesystem::exists(upper));
    EXPECT_EQ(std::filesystem::exists(others), root);  // without root it was this user's own leftover
}

// A write stopped after each of its steps (the process ends there, as when
// it is killed) leaves the old file whole until the new one has its name. A
// file that replaces another has no name until then where the file system
// allows (here: none is left); a picture's temporary file is left with the
// mode and name that the next save recognises, and removes once it is a
// minute old.
TEST_F(FileWriter, AWriteStoppedAfterAnyStepLeavesTheOldOrTheNewFile) {
    using io::WriteStep;
    const WriteStep steps[] = {WriteStep::Created, WriteStep::Written, WriteStep::Permissions, WriteStep::Flushed,
                               WriteStep::Placed,  WriteStep::Closed,  WriteStep::FolderFlushed};
    for (const io::ExistingFile existing : {io::ExistingFile::Replace, io::ExistingFile::Keep}) {
        const bool replace = existing == io::ExistingFile::Replace;
        for (const WriteStep step : steps) {
            const int k = static_cast<int>(step);
            const bool placed = k >= static_cast<int>(WriteStep::Placed);
            const std::string target = path(replace ? "chart.vrc" : "picture.jpg");
            const std::string oldContent(96 * 1024, 'a'), newContent(80 * 1024, 'b');
            std::filesystem::remove(target);
            if (replace) {
                writeFile(target, oldContent);
                ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
            }
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                io::WriteSeams seams;
                seams.afterStep = [step](WriteStep done) {
                    if (done == step) ::_exit(7);
                };
                io::WriteFile(target, newContent, existing, seams);
                ::_exit(0);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << "step " << k << " was not reached";
            if (replace) {
                EXPECT_EQ(contentOf(target), placed ? newContent : oldContent) << "step " << k;
                EXPECT_EQ(modeOf(target) & 07777, 0640U) << "step " << k;
            } else {
                EXPECT_EQ(std::filesystem::exists(target), placed) << "step " << k;
                if (placed) {
                    EXPECT_EQ(contentOf(target), newContent) << "step " << k;
                }
            }
            const int left = temporariesIn(folder.path());
            EXPECT_EQ(left, replace || placed ? 0 : 1) << (replace ? "replace" : "keep") << ", step " << k;
            for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
                const std::string name = entry.path().filename().string();
                if (!io::IsTemporaryName(std::string_view(name))) continue;
                EXPECT_EQ(modeOf(entry.path().string()) & 07777, 0600U) << name;
                setAge(entry.path().string(), std::chrono::minutes(5));
            }
            ASSERT_TRUE(io::WriteFile(path("next.vrc"), "next").written());
            EXPECT_EQ(temporariesIn(folder.path()), 0) << "step " << k;
        }
    }
}

// An interrupt or a request to terminate while a file that replaces another
// has its temporary name waits until it has the target's: the process ends
// then, with the new file in place and no temporary name left.
TEST_F(FileWriter, ASignalWhileTheFileIsNamedWaitsUntilItIsPlaced) {
    const std::string target = path("chart.vrc");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        writeFile(target, "old");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            io::WriteSeams seams;
            seams.afterStep = [signal](io::WriteStep done) {
                if (done == io::WriteStep::Named) ::raise(signal);
            };
            io::WriteFile(target, "new", io::ExistingFile::Replace, seams);
            ::_exit(0);  // not reached: the signal ends the process once the file is placed
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(contentOf(target), "new") << signal;
        EXPECT_EQ(temporariesIn(folder.path()), 0) << signal;
    }
}

// The folder swapped for a link while the file is written: every step stays
// in the folder the write began in, and no temporary file is left anywhere.
TEST_F(FileWriter, AFolderSwappedForALinkMidWriteLeavesNoTemporary) {
    for (const io::ExistingFile existing : {io::ExistingFile::Replace, io::ExistingFile::Keep}) {
        const std::string real = path("real"), moved = path("moved"), elsewhere = path("elsewhere");
        std::filesystem::remove_all(real);
        std::filesystem::remove_all(moved);
        std::filesystem::remove_all(elsewhere);
        ASSERT_EQ(::mkdir(real.c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(elsewhere.c_str(), 0755), 0);
        const std::string name = existing == io::ExistingFile::Replace ? "/chart.vrc" : "/picture.jpg";
        if (existing == io::ExistingFile::Replace) writeFile(real + name, "old");
        io::WriteSeams seams;
        seams.afterStep = [&](io::WriteStep done) {
            if (done != io::WriteStep::Written) return;
            ASSERT_EQ(::rename(real.c_str(), moved.c_str()), 0);
            ASSERT_EQ(::symlink(elsewhere.c_str(), real.c_str()), 0);
        };
        EXPECT_TRUE(io::WriteFile(real + name, "new", existing, seams).written());
        EXPECT_EQ(contentOf(moved + name), "new");
        EXPECT_FALSE(std::filesystem::exists(elsewhere + name));
        EXPECT_EQ(temporariesIn(moved), 0);
        EXPECT_EQ(temporariesIn(elsewhere), 0);
    }
}

// On a file system without hard links (FAT, some network shares) a name that
// must be kept is still never replaced: not when it is free, and not when
// another program takes it while the file is being written.
TEST_F(FileWriter, WithoutHardLinksATakenNameIsStillKept) {
    for (const int error : {EPERM, EOPNOTSUPP, EMLINK}) {
        io::WriteSeams noLinks;
        noLinks.hardLink = [error](const char*, const char*) {
            errno = error;
            return -1;
        };
        const std::string free = path("free-" + std::to_string(error) + ".jpg");
        EXPECT_TRUE(io::WriteFile(free, "picture", io::ExistingFile::Keep, noLinks).written()) << error;
        EXPECT_EQ(contentOf(free), "picture");

        const std::string taken = path("taken-" + std::to_string(error) + ".jpg");
        io::WriteSeams race = noLinks;
        race.afterStep = [&taken](io::WriteStep done) {
            if (done == io::WriteStep::Flushed) writeFile(taken, "theirs");
        };
        EXPECT_EQ(io::WriteFile(taken, "picture", io::ExistingFile::Keep, race).status, io::WriteResult::Status::NameTaken)
            << error;
        EXPECT_EQ(contentOf(taken), "theirs") << error;
        EXPECT_EQ(temporariesIn(folder.path()), 0) << error;
    }
}

}  // namespace
