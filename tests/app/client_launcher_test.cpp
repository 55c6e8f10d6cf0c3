#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kMailCopy = "/win/Mail---%.{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsCopy = "/win/News---%.{89292103-4755-11cf-9DC2-00AA006C2B84}";

std::string CopyFor(std::string pattern, const std::string& profile) {
    return pattern.replace(pattern.find('%'), 1, profile);
}

class Launcher : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Work");
        addProfile("Home", 0);
    }
    app::ClientLauncher& launcher() { return program->launcher; }
    void choose(const std::string& profile) { program->context.CurrentProfile = profile; }
};

TEST_F(Launcher, FirstStartCopiesTheStartFileAndStartsThroughTheExplorer) {
    choose("Work");
    launcher().StartMail();
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].program, "/win/EXPLORER.EXE");
    EXPECT_EQ(processes.started[0].argument, "/root," + CopyFor(kMailCopy, "Work"));
    EXPECT_EQ(processes.started[0].style, app::kMaximizedFocus);
    EXPECT_EQ(clientFiles.copies, (std::vector<std::pair<std::string, std::string>>{
                                      {mailJunction, CopyFor(kMailCopy, "Work")}}));
    EXPECT_EQ(program->store.RunningProfile, "Work");
    EXPECT_EQ(launcher().MailTask, processes.started[0].task);

    // The same profile only activates the running client, unless it was closed by hand.
    processes.log.clear();
    launcher().StartMail();
    EXPECT_EQ(processes.log, std::vector<std::string>{"activate 101"});
    processes.closeByHand(101);
    launcher().StartMail();
    EXPECT_EQ(processes.started.size(), 2u);
}

TEST_F(Launcher, AnotherProfileClosesBothClientsAndRestarts) {
    choose("Work");
    launcher().StartMail();
    launcher().StartNews();  // same profile: the mail client stays
    EXPECT_EQ(processes.alive.size(), 2u);
    processes.log.clear();
    choose("Home");
    launcher().StartMail();
    EXPECT_EQ(processes.log,
              (std::vector<std::string>{"activate 101", "keys %{F4} 101", "activate 102",
                                        "keys %{F4} 102", "start 103"}));
    EXPECT_DOUBLE_EQ(clock.waited, 2.0);  // one second after each close
    EXPECT_EQ(processes.started.back().argument, "/root," + CopyFor(kMailCopy, "Home"));
    EXPECT_EQ(processes.started.back().style, app::kNormalNoFocus);  // "Maximize Mail Window" 0
    EXPECT_EQ(program->store.RunningProfile, "Home");
}

TEST_F(Launcher, NewsClientCarriesTheProfilesServerAndGroup) {
    put(std::string(settings::kImnKey) + "\\News", "Last Server", Variant("old"));
    put(std::string(settings::kProfilesKey) + "\\Work\\News", "Last Group", Variant("comp.lang"));
    choose("Work");
    launcher().StartNews();
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\News", "Last Server"), Variant("news.Work"));
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\News", "Last Group"), Variant("comp.lang"));
    EXPECT_EQ(processes.started.at(0).argument, "/root," + CopyFor(kNewsCopy, "Work"));
}

TEST_F(Launcher, CommandLineModesStartTheirClients) {
    const std::vector<std::pair<std::int16_t, std::vector<std::string>>> cases = {
        {app::kLaunchMail, {"Mail---"}},
        {app::kLaunchNews, {"News---"}},
        {app::kLaunchBoth, {"Mail---", "News---"}},
    };
    for (const auto& [mode, starts] : cases) {
        processes.started.clear();
        program->store.RunningProfile = "";
        launcher().MailTask = launcher().NewsTask = 0;
        choose("Work");
        launcher().LaunchFromCommandLine(mode);
        ASSERT_EQ(processes.started.size(), starts.size()) << mode;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            EXPECT_NE(processes.started[i].argument.find(starts[i]), std::string::npos);
        }
        EXPECT_EQ(processes.alive.count(processes.started.front().task), 1u);  // mail stays
        EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant("Work"));
    }
}

TEST_F(Launcher, WhatIsMissingIsNamedAndNothingStarts) {
    choose("Work");
    clientFiles.files.clear();
    launcher().StartMail();
    clientFiles.files = {mailJunction};
    clientFiles.failCopies = true;
    launcher().StartMail();
    clientFiles.failCopies = false;
    processes.startError = "/win/EXPLORER.EXE: No such file or directory";
    launcher().StartMail();
    const auto texts = prompts.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[0].find(mailJunction), std::string::npos);
    EXPECT_NE(texts[1].find("Disk full"), std::string::npos);
    EXPECT_NE(texts[2].find("EXPLORER.EXE: No such file"), std::string::npos);
    EXPECT_TRUE(processes.started.empty());
    EXPECT_EQ(launcher().MailTask, 0);
    EXPECT_EQ(program->store.RunningProfile, "");
}

TEST_F(Launcher, DelayEndsAfterItsSecondsAlsoAcrossMidnight) {
    for (const double start : {100.0, 86399.5}) {
        clock.now = start;
        clock.waited = 0;
        launcher().delay(2);
        EXPECT_GE(clock.waited, 2.0) << start;
        EXPECT_LT(clock.waited, 2.1) << start;
    }
}

}  // namespace
}  // namespace quorvel::testing
