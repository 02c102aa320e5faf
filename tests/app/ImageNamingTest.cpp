// Save As JPEG's naming: the stem of the chosen path, numbered copies, the
// time-stamp name, and the message when every number is taken.
#include <gtest/gtest.h>

#include <set>

#include "app/ImageNaming.h"

using namespace app;

namespace {

ImageNamingContext contextWith(std::set<std::string> existing) {
    ImageNamingContext context;
    auto files = std::make_shared<std::set<std::string>>(std::move(existing));
    context.fileExists = [files](const std::string& path) { return files->count(path) > 0; };
    context.programFolder = "/opt/velorin";
    context.now = {2026, 12, 8, 9, 5, 7, 42};
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
    const LocalTime t{2026, 3, 4, 5, 6, 7, 8};
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
