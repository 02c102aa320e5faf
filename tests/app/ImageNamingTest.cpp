// Save As JPEG's naming: the stem of the chosen path, numbered copies, the
// time-stamp name, and the message when every number is taken.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "app/ImageNaming.h"
#include "astro/BirthData.h"

using namespace app;

namespace {

ImageNamingContext contextWith(std::set<std::string> existing) {
    ImageNamingContext context;
    auto files = std::make_shared<std::set<std::string>>(std::move(existing));
    context.fileExists = [files](const std::string& path) { return files->count(path) > 0; };
    context.programFolder = "/opt/velorin";
    context.now = astro::LocalMinuteOf(2026, 12, 8, 9, 5) + std::chrono::seconds{7} + std::chrono::milliseconds{42};
    return context;
}

TEST(ChooseImagePath, NamingExamples) {
    struct Case {
        const char* chosen;
        std::set<std::string> existing;
        const char* written;
    } const cases[] = {
        {"/charts/ravi.jpg", {}, "/charts/ravi.jpg"},
        {"/charts/ravi.jpg", {"/charts/ravi.jpg"}, "/charts/ravi_001.jpg"},
        {"/charts/ravi.jpg", {"/charts/ravi.jpg", "/charts/ravi_001.jpg"}, "/charts/ravi_002.jpg"},
        {"/My.Files/ravi.jpg", {}, "/My.Files/ravi.jpg"},  // a dot in a folder does not shorten the path
        {"/charts/ravi.bmp", {}, "/charts/ravi.jpg"},
        {"/charts/ravi.old.JPG", {}, "/charts/ravi.jpg"},  // the stem stops at the first dot
        {"/charts/ravi", {}, "/charts/ravi.jpg"},
        {"/charts/", {}, "/charts/.jpg"},                  // nothing before the extension
        {"ravi.jpg", {}, "/opt/velorin/20261208.jpg"},     // no folder: the program's folder
        {"//charts//ravi.jpg", {}, "/charts/ravi.jpg"},
    };
    for (const Case& c : cases) {
        const UniquePathResult result = ChooseImagePath(c.chosen, contextWith(c.existing));
        EXPECT_FALSE(result.tooManyCopies) << c.chosen;
        EXPECT_EQ(result.path, c.written) << c.chosen;
    }
}

TEST(ChooseImagePath, TheLastNumberAndThenTheMessage) {
    std::set<std::string> existing = {"/c/chart.jpg"};
    char name[64];
    for (int n = 1; n <= 998; ++n) {
        std::snprintf(name, sizeof name, "/c/chart_%03d.jpg", n);
        existing.insert(name);
    }
    EXPECT_EQ(ChooseImagePath("/c/chart.jpg", contextWith(existing)).path, "/c/chart_999.jpg");
    existing.insert("/c/chart_999.jpg");
    const UniquePathResult full = ChooseImagePath("/c/chart.jpg", contextWith(existing));
    EXPECT_TRUE(full.tooManyCopies);
    EXPECT_EQ(full.path, "");
    EXPECT_EQ(TooManyCopiesMessage(full.file), "There are too many Copies of this file  chart.jpg");
    EXPECT_EQ(TooManyCopiesTitle(full.file), " UNABLE  TO  CREATE  NEW  FILEchart.jpg");
}

TEST(MakeUniqueImagePath, EveryDotGetsTheNumberAndBmpBecomesJpg) {
    const UniquePathResult r = MakeUniqueImagePath("/c", "a.b.bmp", contextWith({"/c/a.b.jpg"}));
    EXPECT_EQ(r.path, "/c/a_001.b_001.jpg");
}

TEST(MakeTimestampName, SeventeenOrEightDigits) {
    const LocalTime t = astro::LocalMinuteOf(2026, 3, 4, 5, 6) + std::chrono::seconds{7} + std::chrono::milliseconds{8};
    EXPECT_EQ(MakeTimestampName(false, t), "20260304050607008");
    EXPECT_EQ(MakeTimestampName(true, t), "20260304");
}

TEST(SplitPath, AtTheLastSeparator) {
    EXPECT_EQ(SplitPath("/a/b/c.jpg").folder, "/a/b");
    EXPECT_EQ(SplitPath("/a/b/c.jpg").file, "c.jpg");
    EXPECT_EQ(SplitPath("c.jpg").folder, "");
    EXPECT_EQ(SplitPath("c.jpg").file, "");
    EXPECT_EQ(SplitPath("/c.jpg").folder, "");
    EXPECT_EQ(SplitPath("/c.jpg").file, "c.jpg");
}

}  // namespace

namespace {

TEST(SaveUnderFreeName, ANameTakenAtTheWriteMovesOnToTheNextFreeOne) {
    struct Case {
        const char* what;
        std::set<std::string> existing;
        int takenAtTheWrite;  // how many chosen names another program takes first
        const char* failure;  // the write of the next name fails with this, or nullptr
        const char* path;
        const char* reason;
    } const cases[] = {
        {"free at once", {}, 0, nullptr, "/c/a.jpg", ""},
        {"taken meanwhile", {}, 1, nullptr, "/c/a_001.jpg", ""},
        {"taken twice", {"/c/a.jpg"}, 2, nullptr, "/c/a_003.jpg", ""},
        {"a failing write", {}, 1, "No space left on device", "/c/a_001.jpg", "No space left on device"},
        {"a failure without a reason", {}, 0, "", "/c/a.jpg", "The file could not be written"},
    };
    for (const Case& c : cases) {
        auto files = std::make_shared<std::set<std::string>>(c.existing);
        ImageNamingContext context = contextWith({});
        context.fileExists = [files](const std::string& path) { return files->count(path) > 0; };
        std::vector<std::string> chosen;
        context.nameChosen = [&](const std::string& path) { chosen.push_back(path); };
        int taken = 0;
        const ImageSaveResult result =
            SaveUnderFreeName("/c/a.jpg", context, [&](const std::string& path, std::string& reason) {
                if (taken < c.takenAtTheWrite) {
                    ++taken;
                    files->insert(path);
                    return NameWrite::NameTaken;
                }
                if (c.failure) {
                    reason = c.failure;
                    return NameWrite::Failed;
                }
                return NameWrite::Written;
            });
        EXPECT_EQ(result.path, c.path) << c.what;
        EXPECT_EQ(result.failure, c.reason) << c.what;
        EXPECT_EQ(result.written(), std::string(c.reason).empty()) << c.what;
        EXPECT_FALSE(result.tooManyCopies) << c.what;
        EXPECT_EQ(chosen.size(), static_cast<std::size_t>(c.takenAtTheWrite + 1)) << c.what;
        EXPECT_EQ(chosen.back(), c.path) << c.what;
    }
}

TEST(SaveUnderFreeName, AWriteThatAlwaysFindsTheNameTakenEnds) {
    // The check says free, the write says taken (a name the check cannot
    // see): the save gives up after as many rounds as there are names.
    int writes = 0;
    const ImageSaveResult result = SaveUnderFreeName("/c/a.jpg", contextWith({}), [&](const std::string&, std::string&) {
        ++writes;
        return NameWrite::NameTaken;
    });
    EXPECT_TRUE(result.tooManyCopies);
    EXPECT_EQ(result.path, "");
    EXPECT_EQ(result.file, "a.jpg");
    EXPECT_EQ(writes, 1001);
}

}  // namespace
