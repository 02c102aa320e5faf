// The reader of chart files: bounded, and nothing but a regular file is read,
// so that a named pipe or a device never stops the program.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "io/FileReader.h"
#include "support/TempFolder.h"

using namespace testio;

namespace {

TEST(FileReader, ReadsAtMostWhatItIsAskedFor) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    writeFile(folder / "big.vrc", std::string(100000, 'x') + "end");
    writeFile(folder / "small.vrc", "abc");
    writeFile(folder / "empty.vrc", "");
    const struct {
        const char* name;
        std::size_t limit;
        std::size_t size;
    } cases[] = {{"big.vrc", 65536, 65536}, {"big.vrc", 100003, 100003}, {"small.vrc", 65536, 3}, {"empty.vrc", 10, 0}};
    for (const auto& c : cases) {
        const io::ReadResult result = io::ReadFileStart(folder / c.name, c.limit);
        EXPECT_TRUE(result.read()) << c.name << ": " << result.error;
        EXPECT_EQ(result.bytes.size(), c.size) << c.name;
    }
    EXPECT_EQ(io::ReadFileStart(folder / "big.vrc", 100010).bytes.substr(100000), "end");
}

TEST(FileReader, RefusesWhatIsNotARegularFile) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    ASSERT_EQ(::mkdir((folder / "folder.vrc").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo((folder / "pipe.vrc").c_str(), 0644), 0);
    // The named pipe has a writer and bytes waiting: a reader that opened it
    // would take them (or wait for more, and the test would time out).
    const int writer = ::open((folder / "pipe.vrc").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "xyz", 3), 3);
    ASSERT_EQ(::symlink((folder / "pipe.vrc").c_str(), (folder / "link-to-pipe.vrc").c_str()), 0);
    const struct {
        const char* name;
        std::string error;
    } cases[] = {
        {"folder.vrc", "It is a folder, not a file"},
        {"pipe.vrc", "It is a named pipe (FIFO), not a file"},
        {"link-to-pipe.vrc", "It is a named pipe (FIFO), not a file"},
        {"missing.vrc", std::strerror(ENOENT)},
    };
    for (const auto& c : cases) {
        const io::ReadResult result = io::ReadFileStart(folder / c.name, 65536);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_TRUE(result.bytes.empty()) << c.name;
    }
    char waiting[4] = {};
    EXPECT_EQ(::read(writer, waiting, sizeof waiting), 3);
    ::close(writer);
}

TEST(FileReader, ADeviceIsRefusedBeforeItIsOpened) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    // A terminal's numbers: opening one could make it the controlling
    // terminal or wait for a carrier; the reader must not get that far.
    const std::string device = folder / "tty.vrc";
    if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(5, 0)) != 0) {
        GTEST_SKIP() << "a device node cannot be made here (" << std::strerror(errno) << ")";
    }
    EXPECT_EQ(io::ReadFileStart(device, 65536).error, "It is a device, not a file");
}

}  // namespace
