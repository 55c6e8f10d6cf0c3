// A switch cut short at every one of its writes, followed by a start of the program on the same
// store: afterwards the client's keys, its "Current Profile" and the hosts file are one whole
// profile's, on a store with transactions and on one without (the Windows registry).
#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kPop3 = kClientMail + "\\POP3";
const std::string kWab(settings::kWabFileKey);

class InterruptedSwitch : public ProfilesFixture {
  protected:
    CrashPoint crash;
    std::map<std::string, std::string> whole;  // the client as each profile leaves it

    void SetUp() override {
        hive.crash = &crash;
        files.crash = &crash;
        put(std::string(settings::kAppKey), "Profile List", Variant("Home;Work;|"));
        profile("Home", {{"pop.home", "10.0.0.5"}}, "home.wab");
        profile("Work", {{"pop.work", "10.0.1.5"}, {"pop.office", "10.0.1.6"}}, "work.wab");
    }
    void profile(const std::string& name,
                 const std::vector<std::pair<std::string, std::string>>& accounts,
                 const std::string& wab) {
        const std::string mail = settings::ProfileKey(name) + "\\Mail";
        std::string list;
        for (const auto& [server, address] : accounts) {
            put(mail + "\\" + server, "Default POP3 Server", Variant(server));
            put(mail + "\\" + server, "IP Address", Variant(address));
            put(mail + "\\" + server, "Account", Variant(name));
            list += server + ";";
        }
        put(mail, "Account Profile List", Variant(list + "|"));
        put(mail, "Default Account Profile", Variant(accounts.front().first));
        put(mail, "PollMultiplePopServers", Variant(1), registry::REG_DWORD);
        put(mail, "Sender Name", Variant(name + " Sender"));
        put(mail, "WAB", Variant(wab));
        put(settings::ProfileKey(name) + "\\News", "Sender Name", Variant(name + " in news"));
    }
    // A start of the program, with nothing in memory from before, switching to `profile`.
    bool switchTo(const std::string& profile, bool finishFirst = false) {
        profiles::Core start(hive, folders, pump, prompts, files);
        start.store.WinDir = winDir;
        if (finishFirst) {
            start.applier.FinishInterruptedSwitch();
            const std::string now = client();
            EXPECT_TRUE(now == whole["Home"] || now == whole["Work"]) << "after the crash:\n"
                                                                      << now;
        }
        start.context.CurrentProfile = profile;
        return start.applier.ApplyProfile();
    }
    // The client as a user of it finds it.
    std::string client() {
        return Dump(hive, kClientKey) + Dump(hive, kWab) + "hosts: " + hosts().value_or("none");
    }
};

TEST_F(InterruptedSwitch, EveryWriteOfASwitchIsARecoverableCrash) {
    // Both switches once, so that each one afterwards finds the client as another left it.
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
        SCOPED_TRACE("a crash at write " + std::to_string(n) + " of " + std::to_string(writes));
        crash.writesLeft = n;
        EXPECT_THROW(switchTo("Work"), Crashed);
        crash.writesLeft = -1;
        ASSERT_TRUE(switchTo("Home", true));  // the program's next start
        ASSERT_EQ(client(), whole["Home"]);
    }
    EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
}  // namespace quorvel::testing
