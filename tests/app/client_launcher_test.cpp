#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app_fixture.h"

namespace quorvel::testing {
namespace {

using Texts = std::vector<std::string>;

std::string CopyOf(const std::string& client, const std::string& profile) {
    return "/win/" + client + "---" + profile + ".{89292" + (client == "Mail" ? "102" : "103") +
           "-4755-11cf-9DC2-00AA006C2B84}";
}

class Launcher : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        addProfile("Work");
        addProfile("Home", 0);
        choose("Work");
    }
    app::ClientLauncher& launcher() { return program->launcher; }
    void choose(const std::string& profile) { program->context.CurrentProfile = profile; }
};

TEST_F(Launcher, AClientStartsOnceAProfileThroughItsCopiedStartFile) {
    launcher().StartMail();
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(std::tie(processes.started[0].program, processes.started[0].argument),
              std::make_tuple("/win/EXPLORER.EXE", "/root," + CopyOf("Mail", "Work")));
    EXPECT_EQ(processes.started[0].style, app::kMaximizedFocus);
    EXPECT_EQ(clientFiles.copies.at(0), std::make_pair(mailJunction, CopyOf("Mail", "Work")));

    // The same profile only activates the running client, unless it was closed by hand.
    processes.log.clear();
    launcher().StartMail();
    EXPECT_EQ(processes.log, Texts{"activate 101"});
    processes.alive.erase(101);
    launcher().StartMail();
    EXPECT_EQ(processes.started.size(), 2u);
}

TEST_F(Launcher, AnotherProfileClosesBothClientsAndRestarts) {
    launcher().StartMail();
    launcher().StartNews();  // same profile: the mail client stays
    EXPECT_EQ(processes.alive.size(), 2u);
    processes.log.clear();
    choose("Home");
    launcher().StartMail();
    EXPECT_EQ(processes.log, (Texts{"activate 101", "keys %{F4} 101", "activate 102",
                                    "keys %{F4} 102", "start 103"}));
    EXPECT_DOUBLE_EQ(clock.waited, 2.0);  // one second after each close
    EXPECT_EQ(processes.started.back().argument, "/root," + CopyOf("Mail", "Home"));
    EXPECT_EQ(processes.started.back().style, app::kNormalNoFocus);  // "Maximize Mail Window" 0
    EXPECT_EQ(program->store.RunningProfile, "Home");
}

TEST_F(Launcher, CommandLineModesStartTheirClients) {
    const std::pair<std::int16_t, Texts> cases[] = {
        {app::kLaunchMail, {"Mail"}},
        {app::kLaunchNews, {"News"}},
        {app::kLaunchBoth, {"Mail", "News"}},
    };
    put(settings::ProfileKey("Work") + "\\News", "Last Group", Variant("comp.lang"));
    for (const auto& [mode, clients] : cases) {
        processes.started.clear();
        program->store.RunningProfile = "";
        launcher().MailTask = launcher().NewsTask = 0;
        launcher().LaunchFromCommandLine(mode);
        ASSERT_EQ(processes.started.size(), clients.size()) << mode;
        for (std::size_t i = 0; i < clients.size(); ++i) {
            EXPECT_EQ(processes.started[i].argument, "/root," + CopyOf(clients[i], "Work"));
        }
        EXPECT_EQ(processes.alive.count(processes.started.front().task), 1u);  // mail stays
        EXPECT_EQ(get(std::string(settings::kImnKey), "Current Profile"), Variant("Work"));
    }
    // The news client gets the profile's server and group.
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\News", "Last Server"), Variant("news.Work"));
    EXPECT_EQ(get(std::string(settings::kImnKey) + "\\News", "Last Group"), Variant("comp.lang"));
}

TEST_F(Launcher, WhatIsMissingIsNamedAndNothingStarts) {
    clientFiles.files.clear();
    launcher().StartMail();
    clientFiles.files = {mailJunction};
    clientFiles.failCopies = true;
    launcher().StartMail();
    clientFiles.failCopies = false;
    processes.startError = "/win/EXPLORER.EXE: No such file or directory";
    launcher().StartMail();
    EXPECT_EQ(prompts.shown.size(), 3u);
    EXPECT_NE(prompts.texts().at(0).find(mailJunction), std::string::npos);
    EXPECT_NE(prompts.texts().at(1).find("Disk full"), std::string::npos);
    EXPECT_TRUE(processes.started.empty());
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

TEST(CommandLine, ProfileAndLetter) {
    const std::tuple<std::string, bool, std::string, std::int16_t> cases[] = {
        {"work/m", true, "Work", app::kLaunchMail},
        {"WORK/M", true, "Work", app::kLaunchBoth},  // only lower-case letters pick one client
        {"  big office  /n", true, "Big Office", app::kLaunchNews},
        {"Work/ m", true, "Work", app::kLaunchBoth},
        {"Work/m/n", true, "Work", app::kLaunchMail},
        {"Wor/m", false, "Wor", app::kLaunchMail},
        {"b|c/m", true, "b|c", app::kLaunchMail},  // "|" ends the list only after the last ";"
    };
    for (const auto& [text, found, profile, mode] : cases) {
        const app::CommandLine parsed = app::ParseCommandLine(text, "Home;;Work;Big Office;b|c;|");
        EXPECT_EQ(std::tie(parsed.found, parsed.profile, parsed.mode),
                  std::tie(found, profile, mode))
            << text;
    }
    EXPECT_FALSE(app::ParseCommandLine("Work/m", "Home;Work|").found);  // a name ends with ";"
}

}  // namespace
}  // namespace quorvel::testing
