// The desktop program's command line: what each form of it asks for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/CommandLine.h"

namespace {

using desktop::StartAction;

TEST(DesktopCommandLine, EachFormAsksForItsAction) {
    const struct {
        std::vector<std::string> arguments;
        StartAction action;
        std::string file;     // for Start
        std::string message;  // a part of the message, for Usage
    } cases[] = {
        {{}, StartAction::Start, "", ""},
        {{"ravi.vrc"}, StartAction::Start, "ravi.vrc", ""},
        {{"--", "-odd.vrc"}, StartAction::Start, "-odd.vrc", ""},
        {{"-"}, StartAction::Start, "-", ""},
        {{"--help"}, StartAction::Help, "", ""},
        {{"-h"}, StartAction::Help, "", ""},
        {{"ravi.vrc", "--version"}, StartAction::Version, "", ""},
        {{"-V"}, StartAction::Version, "", ""},
        {{"--", "--help"}, StartAction::Start, "--help", ""},
        {{"--vresion"}, StartAction::Start, "--vresion", ""},
        {{"a.vrc", "b.vrc"}, StartAction::Usage, "", "b.vrc was not opened"},
    };
    for (const auto& c : cases) {
        const desktop::StartRequest request = desktop::ParseDesktopArguments(c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(request.action, c.action) << shown;
        EXPECT_EQ(request.file, c.file) << shown;
        EXPECT_NE(request.message.find(c.message), std::string::npos) << shown << ": " << request.message;
    }
}

TEST(DesktopCommandLine, HelpAndVersionAreSeenBeforeTheWindowSystemStarts) {
    EXPECT_TRUE(desktop::AsksForHelpOrVersion({"ravi.vrc", "-V"}));
    EXPECT_TRUE(desktop::AsksForHelpOrVersion({"--help"}));
    EXPECT_FALSE(desktop::AsksForHelpOrVersion({"--", "--help"}));
    EXPECT_FALSE(desktop::AsksForHelpOrVersion({"ravi.vrc"}));
}

}  // namespace
