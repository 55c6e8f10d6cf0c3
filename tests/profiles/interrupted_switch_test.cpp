// A switch cut short at every one of its writes, followed by a start of the program on the same
// store: afterwards the client's keys, its "Current Profile" and the hosts file are one whole
// profile's, on a store with transactions and on one without (the Windows registry).
#include "profiles/apply_profile.h"
#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

class InterruptedSwitch : public ProfilesFixture {
  protected:
    CrashPoint crash;

    void SetUp() override {
        hive.crash = &crash;
        files.crash = &crash;
        put(std::string(settings::kAppKey), "Profile List", Variant("Home;Work;|"));
        profile("Home", {{"pop.home", "10.0.0.5"}});
        profile("Work", {{"pop.work", "10.0.1.5"}, {"pop.office", "10.0.1.6"}});
    }
    void profile(const std::string& name,
                 const std::vector<std::pair<std::string, std::string>>& accounts) {
        const std::string mail = ProfileKeyOf(name) + "\\Mail";
        std::string list;
        for (const auto& [server, address] : accounts) {
            put(mail + "\\" + server, "Default POP3 Server", Variant(server));
            put(mail + "\\" + server, "IP Address", Variant(address));
            put(mail + "\\" + server, "Account", Variant(name));
            list += server + ";";
        }
        put(mail, "Account Profile List", Variant(list + "|"));
        put(mail, "Default Account Profile", Variant(accounts.front().first));
        putNumber(mail, "PollMultiplePopServers", 1);
        put(mail, "Sender Name", Variant(name + " Sender"));
        put(mail, "WAB", Variant(name + ".wab"));
        put(ProfileKeyOf(name) + "\\News", "Sender Name", Variant(name + " in news"));
    }
    // A start of the program that switches to the profile.
    bool switchTo(const std::string& profile) {
        Program start(hive, files, prompts, winDir);
        start.context.CurrentProfile = profile;
        return start.applier.ApplyProfile();
    }
    // The client as a user of it finds it.
    std::string client() {
        return Dump(hive, kClientKey) + Dump(hive, std::string(settings::kWabFileKey)) +
               "hosts: " + hosts().value_or("none");
    }
};

TEST_F(InterruptedSwitch, EveryWriteOfASwitchIsARecoverableCrash) {
    // Both switches once, so that each one afterwards finds the client as another left it.
    std::map<std::string, std::string> whole;
    for (const char* name : {"Home", "Work", "Home", "Work", "Home"}) {
        ASSERT_TRUE(switchTo(name));
        whole[name] = client();
    }
    crash.writes = 0;
    switchTo("Work");
    const int writes = crash.writes;
    ASSERT_EQ(client(), whole["Work"]);
    switchTo("Home");
    ASSERT_EQ(client(), whole["Home"]);
    ASSERT_GT(writes, 20);

    for (int n = 0; n < writes; ++n) {
        crash.writesLeft = n;
        EXPECT_THROW(switchTo("Work"), Crashed) << n;
        crash.writesLeft = -1;

        Program next(hive, files, prompts, winDir);  // the program's next start
        next.applier.FinishInterruptedSwitch();
        const std::string now = client();
        // Each whole state holds its own profile's name as "Current Profile".
        EXPECT_TRUE(now == whole["Home"] || now == whole["Work"])
            << "after a crash at write " << n << " of " << writes << ":\n"
            << now;
        ASSERT_TRUE(switchTo("Home"));
        ASSERT_EQ(client(), whole["Home"]) << n;
    }
    EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
}  // namespace quorvel::testing
