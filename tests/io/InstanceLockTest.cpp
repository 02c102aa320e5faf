// The single-instance lock: only a live holder keeps a start out; whatever a
// lock file contains, and whatever else has its name, never does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/InstanceLock.h"
#include "support/TempFolder.h"

using namespace testio;

namespace {

TEST(InstanceLock, OnlyALiveHolderKeepsOthersOut) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const std::vector<std::string> places = {folder / "velorin.lock"};
    {
        io::InstanceLock first;
        ASSERT_EQ(first.claim(places, "1\nvelorin\nhost\n"), io::LockClaim::Claimed);
        EXPECT_EQ(contentOf(folder / "velorin.lock"), "1\nvelorin\nhost\n");
        io::InstanceLock second;
        EXPECT_EQ(second.claim(places, ""), io::LockClaim::Running);
        EXPECT_EQ(second.path(), "");
    }
    io::InstanceLock afterTheFirstEnded;
    EXPECT_EQ(afterTheFirstEnded.claim(places, ""), io::LockClaim::Claimed);
    EXPECT_EQ(afterTheFirstEnded.path(), places[0]);
}

TEST(InstanceLock, AHolderInAnotherProcessUntilItIsKilled) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    const std::vector<std::string> places = {folder / "velorin.lock"};
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        io::InstanceLock lock;
        const char claimed = lock.claim(places, "") == io::LockClaim::Claimed ? 'y' : 'n';
        [[maybe_unused]] const ssize_t sent = ::write(ready[1], &claimed, 1);
        ::pause();
        ::_exit(0);
    }
    char claimed = 0;
    ASSERT_EQ(::read(ready[0], &claimed, 1), 1);
    EXPECT_EQ(claimed, 'y');
    io::InstanceLock here;
    EXPECT_EQ(here.claim(places, ""), io::LockClaim::Running);
    ::kill(child, SIGKILL);  // a crash: nothing is cleaned up
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(here.claim(places, ""), io::LockClaim::Claimed);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(InstanceLock, WhatALeftLockFileSaysNeverKeepsAnyoneOut) {
    const std::string contents[] = {
        "",
        "garbage",
        std::string("\x00\xff\x13\x80\x00", 5),
        "99999999999999999999\nvelorin\nhost\n",
        "-1\nvelorin\nhost\n",
        "1\nvelorin\nsome-other-machine\n",
        std::to_string(::getpid()) + "\nvelorin\n\n",  // a live process, which holds no lock
        std::string(1 << 20, '7'),
    };
    for (const std::string& content : contents) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        writeFile(folder / "velorin.lock", content);
        io::InstanceLock lock;
        EXPECT_EQ(lock.claim({folder / "velorin.lock"}, "mine"), io::LockClaim::Claimed) << content.substr(0, 40);
        EXPECT_EQ(contentOf(folder / "velorin.lock"), "mine");
    }
}

TEST(InstanceLock, ANameThatCannotHoldALockPassesToTheNextPlace) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    writeFile(folder / "a-file", "");
    ASSERT_EQ(::mkdir((folder / "folder.lock").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo((folder / "pipe.lock").c_str(), 0644), 0);
    ASSERT_EQ(::symlink((folder / "elsewhere").c_str(), (folder / "link.lock").c_str()), 0);
    // A hard link to a file of the user's: the lock's content would overwrite it.
    writeFile(folder / "precious", "precious");
    ASSERT_EQ(::link((folder / "precious").c_str(), (folder / "hard.lock").c_str()), 0);
    for (const char* first :
         {"folder.lock", "pipe.lock", "link.lock", "hard.lock", "a-file/velorin.lock", "missing/velorin.lock"}) {
        io::InstanceLock lock;
        EXPECT_EQ(lock.claim({folder / first, folder / "second.lock"}, ""), io::LockClaim::Claimed) << first;
        EXPECT_EQ(lock.path(), folder / "second.lock") << first;
        // A second start finds the same place held.
        io::InstanceLock other;
        EXPECT_EQ(other.claim({folder / first, folder / "second.lock"}, ""), io::LockClaim::Running) << first;
    }
    EXPECT_TRUE(S_ISFIFO(modeOf(folder / "pipe.lock")));
    EXPECT_EQ(contentOf(folder / "precious"), "precious");
    EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere"));
    io::InstanceLock nowhere;
    EXPECT_EQ(nowhere.claim({folder / "a-file/velorin.lock"}, ""), io::LockClaim::NoPlace);
}

TEST(InstanceLock, ALockFileOfAnotherUserIsPassedOver) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may make a file of another user";
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    writeFile(folder / "theirs.lock", "");
    ASSERT_EQ(::chown((folder / "theirs.lock").c_str(), 1234, 1234), 0);
    io::InstanceLock lock;
    EXPECT_EQ(lock.claim({folder / "theirs.lock", folder / "mine.lock"}, ""), io::LockClaim::Claimed);
    EXPECT_EQ(lock.path(), folder / "mine.lock");
}

// The fallback place in the shared temporary folder is a folder of the
// user's own: one that another user made first, or that others may write
// to, or a link, is not used.
TEST(InstanceLock, TheFallbackFolderIsTheUsersOwn) {
    TempFolder parent;
    ASSERT_TRUE(parent.valid());
    const std::string own = parent / ("velorin-" + std::to_string(::geteuid()));
    EXPECT_EQ(io::InstanceLock::PrivateFolder(parent.path()), own);  // made
    EXPECT_EQ(modeOf(own) & 07777, 0700U);
    EXPECT_EQ(io::InstanceLock::PrivateFolder(parent.path()), own);  // found again
    ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
    EXPECT_EQ(io::InstanceLock::PrivateFolder(parent.path()), "");  // others may write to it
    ASSERT_EQ(::rmdir(own.c_str()), 0);
    ASSERT_EQ(::mkdir((parent / "elsewhere").c_str(), 0700), 0);
    ASSERT_EQ(::symlink((parent / "elsewhere").c_str(), own.c_str()), 0);
    EXPECT_EQ(io::InstanceLock::PrivateFolder(parent.path()), "");  // a link
    ASSERT_EQ(::unlink(own.c_str()), 0);
    writeFile(own, "");
    ASSERT_EQ(::chmod(own.c_str(), 0700), 0);
    EXPECT_EQ(io::InstanceLock::PrivateFolder(parent.path()), "");  // a file of that name
    ASSERT_EQ(::unlink(own.c_str()), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
        ASSERT_EQ(::chown(own.c_str(), 1234, 1234), 0);
        EXPECT_EQ(io::InstanceLock::PrivateFolder(parent.path()), "");  // another user's
    }
    EXPECT_EQ(io::InstanceLock::PrivateFolder(parent / "missing/deeper"), "");
}

}  // namespace
