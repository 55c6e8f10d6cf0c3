#include "app/command_line.h"

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

TEST(CommandLine, ProfileAndLetter) {
    struct Case {
        std::string text;
        bool found;
        std::string profile;
        std::int16_t mode;
    };
    const std::string list = "Home;Work;Big Office;|";
    const std::vector<Case> cases = {
        {"work/m", true, "Work", kLaunchMail},
        {"WORK/M", true, "Work", kLaunchBoth},  // only lower-case letters pick one client
        {"Work /n", true, "Work", kLaunchNews},
        {"  home  /n", true, "Home", kLaunchNews},
        {"Work/", true, "Work", kLaunchBoth},
        {"Work/ m", true, "Work", kLaunchBoth},
        {"Work", true, "Work", kLaunchBoth},
        {"big office/m", true, "Big Office", kLaunchMail},
        {"Work/m/n", true, "Work", kLaunchMail},
        {"Wor/m", false, "Wor", kLaunchMail},
        {"/m", false, "", kLaunchMail},
        {"Nobody/n", false, "Nobody", kLaunchNews},
    };
    for (const Case& c : cases) {
        const CommandLine parsed = ParseCommandLine(c.text, list);
        EXPECT_EQ(parsed.found, c.found) << c.text;
        EXPECT_EQ(parsed.profile, c.profile) << c.text;
        EXPECT_EQ(parsed.mode, c.mode) << c.text;
    }
    EXPECT_FALSE(ParseCommandLine("Work/m", "").found);
    EXPECT_FALSE(ParseCommandLine("Work/m", "Home;Work|").found);  // no ";" after the last name
}

}  // namespace
}  // namespace quorvel::app
