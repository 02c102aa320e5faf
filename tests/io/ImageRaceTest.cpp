// Save As JPEG under a race: a file that appears under the chosen name after
// the name was chosen and before the picture is written is kept, and the
// picture takes the next free number.
#include <gtest/gtest.h>

#include "app/ImageNaming.h"
#include "io/FileKind.h"
#include "io/FileWriter.h"
#include "support/TempFolder.h"

using namespace testio;

namespace {

app::ImageSaveResult saveJpeg(const std::string& chosen, const app::ImageNamingContext& context) {
    return app::SaveUnderFreeName(chosen, context, [](const std::string& path, std::string& reason) {
        const io::WriteResult written = io::WriteFile(path, "picture", io::ExistingFile::Keep);
        reason = written.reason;
        if (written.status == io::WriteResult::Status::NameTaken) return app::NameWrite::NameTaken;
        return written.written() ? app::NameWrite::Written : app::NameWrite::Failed;
    });
}

TEST(ImageRace, AFileMadeBetweenTheChoiceAndTheWriteIsKept) {
    struct Case {
        const char* what;
        std::vector<std::string> before;  // files there when the save starts
        int racedNames;                   // how many chosen names another program takes first
        const char* written;
    } const cases[] = {
        {"the plain name", {}, 1, "chart_001.jpg"},
        {"a numbered name", {"chart.jpg"}, 1, "chart_002.jpg"},
        {"three names in turn", {"chart.jpg", "chart_001.jpg"}, 3, "chart_005.jpg"},
        {"no race", {"chart.jpg"}, 0, "chart_001.jpg"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ASSERT_TRUE(folder.valid());
        for (const std::string& name : c.before) writeFile(folder / name, "before");
        std::vector<std::string> raced;
        app::ImageNamingContext context;
        context.fileExists = io::NameTaken;
        context.nameChosen = [&](const std::string& path) {
            if (static_cast<int>(raced.size()) < c.racedNames) {
                writeFile(path, "theirs");
                raced.push_back(path);
            }
        };
        const app::ImageSaveResult saved = saveJpeg(folder / "chart.jpg", context);
        ASSERT_TRUE(saved.written()) << c.what << ": " << saved.failure;
        EXPECT_EQ(saved.path, folder / c.written) << c.what;
        EXPECT_EQ(contentOf(saved.path), "picture") << c.what;
        for (const std::string& path : raced) EXPECT_EQ(contentOf(path), "theirs") << c.what << ": " << path;
        for (const std::string& name : c.before) EXPECT_EQ(contentOf(folder / name), "before") << c.what;
        EXPECT_EQ(temporariesIn(folder.path()), 0) << c.what;
    }
}

TEST(ImageRace, TheLastFreeNameTakenMeanwhileIsTooManyCopies) {
    TempFolder folder;
    ASSERT_TRUE(folder.valid());
    writeFile(folder / "chart.jpg", "");
    char name[32];
    for (int n = 1; n <= 998; ++n) {
        std::snprintf(name, sizeof name, "chart_%03d.jpg", n);
        writeFile(folder / name, "");
    }
    app::ImageNamingContext context;
    context.fileExists = io::NameTaken;
    context.nameChosen = [](const std::string& path) { writeFile(path, "theirs"); };
    const app::ImageSaveResult saved = saveJpeg(folder / "chart.jpg", context);
    EXPECT_TRUE(saved.tooManyCopies);
    EXPECT_EQ(saved.file, "chart.jpg");
    EXPECT_EQ(contentOf(folder / "chart_999.jpg"), "theirs");
}

}  // namespace
