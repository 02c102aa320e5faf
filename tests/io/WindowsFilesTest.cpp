// The writer and the reader on Windows: UTF-8 names, what they refuse, that
// a name to be kept free is refused by the last step itself, and the
// leftovers of cut-short writes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <windows.h>

#include "io/FileReader.h"
#include "io/FileWriter.h"
#include "io/WindowsText.h"
#include "support/TempFolder.h"

using namespace testio;

namespace {

class WindowsFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.valid()); }
    std::string path(const std::string& name) const { return folder / name; }
    std::wstring wide(const std::string& name) const { return io::WideText(path(name)).value(); }
    TempFolder folder;
};

TEST_F(WindowsFiles, WritesNewAndExistingFilesUnderUtf8Names) {
    // Devanagari, Polish and a space: the names the system shows are these.
    for (const std::string name : {"chart.vrc", "\xE0\xA4\xAA\xE0\xA5\x81\xE0\xA4\xA3\xE0\xA5\x87 chart.vrc",
                                   "\xC5\x81\xC3\xB3\x64\xC5\xBA.txt"}) {
        ASSERT_TRUE(io::WriteFile(path(name), "first").written()) << name;
        const io::WriteResult replaced = io::WriteFile(path(name), "second, longer");
        ASSERT_TRUE(replaced.written()) << name << ": " << replaced.reason;
        EXPECT_NE(::GetFileAttributesW(wide(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
        const io::ReadResult read = io::ReadFileStart(path(name), 100);
        EXPECT_EQ(read.bytes, "second, longer") << name << ": " << read.error;
    }
    // Bytes as given: no CR before LF, no end at Ctrl-Z.
    const std::string bytes("a\nb\r\n\x1A" "c\0d", 8);
    ASSERT_TRUE(io::WriteFile(path("bytes.txt"), bytes).written());
    EXPECT_EQ(contentOf(path("bytes.txt")), bytes);
    EXPECT_EQ(io::ReadFileStart(path("bytes.txt"), 100).bytes, bytes);
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

TEST_F(WindowsFiles, RefusesWhatItMustNotWriteAndChangesNothing) {
    ASSERT_TRUE(::CreateDirectoryW(wide("folder.vrc").c_str(), nullptr));
    writeFile(path("read-only.vrc"), "old");
    ASSERT_TRUE(::SetFileAttributesW(wide("read-only.vrc").c_str(), FILE_ATTRIBUTE_READONLY));
    // What a write that must keep an existing name gives: NameTaken for a
    // name that is taken, else the same failure; a device's name may be
    // either (whether the system shows it as taken varies).
    enum Keep { Taken, SameFailure, Either };
    const struct {
        std::string target;
        std::string reason;  // empty: the system's own text
        Keep keep;
    } cases[] = {
        {path("folder.vrc"), "It is a folder, not a file", Taken},
        {path("read-only.vrc"), "It is read-only", Taken},
        {"NUL", "It is a device, not a file", Either},
        {path("NUL"), "It is a device, not a file", Either},
        {path("sub\\"), "No file name was given", SameFailure},
        {path("sub/"), "No file name was given", SameFailure},
        {"C:", "No file name was given", SameFailure},
        {"", "No file name was given", SameFailure},
        {path("bad-\xFF.vrc"), std::string(io::NotUtf8Reason), SameFailure},
        {path("no\\such\\folder\\chart.vrc"), "", SameFailure},
    };
    for (const auto& c : cases) {
        const io::WriteResult replace = io::WriteFile(c.target, "new");
        EXPECT_EQ(replace.status, io::WriteResult::Status::Failed) << c.target;
        if (c.reason.empty()) {
            EXPECT_FALSE(replace.reason.empty()) << c.target;
        } else {
            EXPECT_EQ(replace.reason, c.reason) << c.target;
        }
        const io::WriteResult keep = io::WriteFile(c.target, "new", io::ExistingFile::Keep);
        if (c.keep == Taken) {
            EXPECT_EQ(keep.status, io::WriteResult::Status::NameTaken) << c.target;
        } else if (c.keep == SameFailure) {
            EXPECT_EQ(keep.reason, replace.reason) << c.target;
        }
        EXPECT_FALSE(keep.written()) << c.target;
    }
    EXPECT_EQ(contentOf(path("read-only.vrc")), "old");
    EXPECT_NE(::GetFileAttributesW(wide("folder.vrc").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0U);
    ::SetFileAttributesW(wide("read-only.vrc").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

// Threads that all write the same free name, to be kept: exactly one is
// written, the others are told the name is taken, and the one file is whole.
TEST_F(WindowsFiles, OfWritersRacingForAFreeNameExactlyOneWins) {
    constexpr int Writers = 4;
    for (int round = 0; round < 20; ++round) {
        const std::string target = path("race-" + std::to_string(round) + ".jpg");
        std::atomic<int> written{0};
        std::atomic<int> taken{0};
        std::atomic<bool> go{false};
        std::vector<std::thread> writers;
        for (int w = 0; w < Writers; ++w) {
            writers.emplace_back([&, w] {
                while (!go) std::this_thread::yield();
                const io::WriteResult result = io::WriteFile(target, std::string(4096, static_cast<char>('a' + w)),
                                                             io::ExistingFile::Keep);
                if (result.written()) ++written;
                if (result.status == io::WriteResult::Status::NameTaken) ++taken;
            });
        }
        go = true;
        for (std::thread& writer : writers) writer.join();
        ASSERT_EQ(written, 1) << "round " << round;
        ASSERT_EQ(taken, Writers - 1) << "round " << round;
        const std::string content = contentOf(target);
        ASSERT_EQ(content.size(), 4096U);
        EXPECT_EQ(content, std::string(4096, content.front()));
    }
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

void setAge(const std::wstring& path, std::chrono::seconds age, bool folder) {
    const HANDLE handle = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER then{};
    then.LowPart = now.dwLowDateTime;
    then.HighPart = now.dwHighDateTime;
    then.QuadPart -= static_cast<ULONGLONG>(age.count()) * 10'000'000ULL;
    const FILETIME time{then.LowPart, then.HighPart};
    EXPECT_TRUE(::SetFileTime(handle, nullptr, &time, &time));
    ::CloseHandle(handle);
}

TEST_F(WindowsFiles, ASaveRemovesItsOwnLeftoversOlderThanAMinute) {
    for (const LeftoverCase& c : LeftoverCases) {
        if (c.folder) {
            ASSERT_TRUE(::CreateDirectoryW(wide(c.name).c_str(), nullptr));
        } else {
            writeFile(path(c.name), "left");
        }
        setAge(wide(c.name), c.age, c.folder);
    }
    ASSERT_TRUE(io::WriteFile(path("chart.vrc"), "new").written());
    for (const LeftoverCase& c : LeftoverCases) {
        EXPECT_EQ(::GetFileAttributesW(wide(c.name).c_str()) != INVALID_FILE_ATTRIBUTES, !c.removed) << c.name;
    }
}

TEST_F(WindowsFiles, TheReaderReadsAtMostWhatItIsAskedForAndOnlyFiles) {
    writeFile(path("big.vrc"), std::string(100000, 'x') + "end");
    ASSERT_TRUE(::CreateDirectoryW(wide("folder.vrc").c_str(), nullptr));
    const struct {
        std::string path;
        std::size_t limit;
        std::size_t size;
        std::string error;  // "?": the system's own text
    } cases[] = {
        {path("big.vrc"), 65536, 65536, ""},
        {path("big.vrc"), 100003, 100003, ""},
        {path("big.vrc"), 200000, 100003, ""},
        {path("folder.vrc"), 10, 0, "It is a folder, not a file"},
        {"NUL", 10, 0, "It is a device, not a file"},
        {path("bad-\xFF.vrc"), 10, 0, std::string(io::NotUtf8Reason)},
        {path("missing.vrc"), 10, 0, "?"},
        {path("no\\such\\folder\\chart.vrc"), 10, 0, "?"},
    };
    for (const auto& c : cases) {
        const io::ReadResult result = io::ReadFileStart(c.path, c.limit);
        EXPECT_EQ(result.bytes.size(), c.size) << c.path;
        if (c.error == "?") {
            EXPECT_FALSE(result.read()) << c.path;
        } else {
            EXPECT_EQ(result.error, c.error) << c.path;
        }
    }
    EXPECT_EQ(io::ReadFileStart(path("big.vrc"), 100010).bytes.substr(100000), "end");
}

TEST(WindowsText, ConvertsBetweenUtf8AndUtf16AndRefusesWhatIsNeither) {
    const struct {
        std::string utf8;
        std::wstring wide;
    } pairs[] = {
        {"", L""},
        {"Ravi", L"Ravi"},
        {"29\xC2\xB0 50'", L"29\u00B0 50'"},
        {"\xE0\xAE\xAA\xE0\xAE\xBF", L"\u0BAA\u0BBF"},
        {"\xF0\x9F\x8C\x99", L"\U0001F319"},  // beyond the first plane: a surrogate pair
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(io::WideText(p.utf8), p.wide) << p.utf8;
        EXPECT_EQ(io::Utf8Text(p.wide), p.utf8) << p.utf8;
    }
    for (const std::string bad : {"\xFF", "a\xC3", "\xED\xA0\x80", "\xC0\xAF"}) EXPECT_FALSE(io::WideText(bad)) << bad;
    for (const std::wstring& bad : {std::wstring(1, wchar_t(0xD800)), std::wstring(L"a") + wchar_t(0xDC00)}) {
        EXPECT_FALSE(io::Utf8Text(bad));
    }
    EXPECT_FALSE(io::SystemErrorText(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_NE(io::SystemErrorText(ERROR_FILE_NOT_FOUND).back(), '\n');
}

}  // namespace
