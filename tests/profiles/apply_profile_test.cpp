#include "profiles/apply_profile.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kProfileMail = ProfileKeyOf("Work") + "\\Mail";
const std::string kPop3 = kClientMail + "\\POP3";
const std::string kWab(settings::kWabFileKey);
const std::string kGenerated =
    "127.0.0.1       localhost  # leave this line alone\r\n\r\n"
    "10.0.0.5   home\r\n10.0.0.6   work\r\n";

// The client holds the profile "Home"; the profile "Work" has two account profiles, "home"
// (the default, with a password) and "work" (without one).
class ApplyProfile : public ProfilesFixture {
  protected:
    void SetUp() override {
        put(kClientKey, "Current Profile", Variant("Home"));
        put(kPop3 + "\\old.server", "Account", Variant("old"));
        put(kClientNews, "Last Group", Variant("alt.home"));
        put(kWab, "", Variant("home.wab"));
        put(kProfileMail, "Sender Name", Variant("Ann at work"));
        put(kProfileMail, "WAB", Variant("work.wab"));
        put(kProfileMail, "Default Account Profile", Variant("home"));
        putNumber(kProfileMail, "Connection Type", 2);
        put(kProfileMail, "Account Profile List", Variant("home;work;|"));
        for (const auto& [name, address] : {std::pair{"home", "10.0.0.5"}, {"work", "10.0.0.6"}}) {
            const std::string key = kProfileMail + "\\" + name;
            put(key, "Default POP3 Server", Variant(std::string("pop.") + name));
            put(key, "IP Address", Variant(address));
            put(key, "Account", Variant(std::string("ann.") + name));
            put(key, "Default SMTP Server", Variant(std::string("smtp.") + name));
        }
        put(kProfileMail + "\\home", "Password", Variant("c2VjcmV0"), registry::REG_BINARY);
        put(ProfileKeyOf("Work") + "\\News", "DefaultServer", Variant("news.example"));
        put(ProfileKeyOf("Work") + "\\News", "Last Group", Variant("comp.lang.c"));
        context.CurrentProfile = "Work";
    }
    void multipleServers() { putNumber(kProfileMail, "PollMultiplePopServers", 1); }
};

TEST_F(ApplyProfile, OneAccountGoesUnderItsServerNameAndTheHostsFileIsLeftAlone) {
    WriteBytes(hostsPath(), "the user's hosts\r\n");
    put(kClientMail, "Sender EMail", Variant("ann@home"));
    ASSERT_TRUE(applier.ApplyProfile());

    EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Work"));
    EXPECT_EQ(get(kWab, ""), Variant("work.wab"));
    EXPECT_EQ(get(kClientMail, "Sender Name"), Variant("Ann at work"));
    EXPECT_EQ(get(kClientMail, "Sender EMail"), Variant(""));  // missing in the profile
    EXPECT_TRUE(keyExists(kClientMail + "\\SMTP\\smtp.home"));
    EXPECT_EQ(get(kPop3 + "\\pop.home", "Account"), Variant("ann.home"));
    EXPECT_EQ(raw(kPop3 + "\\pop.home", "Password"), "c2VjcmV0=");
    EXPECT_FALSE(raw(kPop3 + "\\pop.home", "Default SMTP Server"));  // the Mail key's
    EXPECT_EQ(get(kPop3 + "\\old.server", "Account"), Variant("old"));
    EXPECT_EQ(get(kClientNews, "Last Group"), Variant("alt.home"));  // only when news starts
    EXPECT_EQ(get(kClientNews + "\\news.example", "Connection Type"), Variant(2));
    EXPECT_EQ(hosts(), "the user's hosts\r\n");
}

TEST_F(ApplyProfile, SeveralAccountsReplaceTheServerKeysAndWriteTheHostsFile) {
    multipleServers();
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_FALSE(keyExists(kPop3 + "\\old.server"));
    EXPECT_EQ(get(kClientMail, "Default POP3 Server"), Variant("pop.home"));
    EXPECT_EQ(get(kPop3 + "\\work", "Account"), Variant("ann.work"));
    EXPECT_EQ(raw(kPop3 + "\\work", "Password"), "=");
    EXPECT_EQ(hosts(), kGenerated);
}

TEST_F(ApplyProfile, DisabledNewsLeavesEveryNewsKeyAlone) {
    store.NewsDisabled = true;
    const std::string newsBefore = Dump(hive, kClientNews);
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(Dump(hive, kClientNews), newsBefore);
    EXPECT_EQ(get(kClientMail, "Connection Type"), Variant(2));
}

TEST_F(ApplyProfile, SkipsOnlyWhenTheClientHoldsTheProfileAndWasStartedWithIt) {
    const struct {
        const char* applied;
        const char* running;
        bool writes;
    } cases[] = {
        {"Work", "Work", false},
        {"Work", "", true},      // not started with it in this run
        {"Home", "Work", true},  // another profile was applied since
        {"work", "Work", true},  // names compare exactly
    };
    for (const auto& c : cases) {
        put(kClientKey, "Current Profile", Variant(c.applied));
        put(kClientMail, "Sender Name", Variant("Ann at home"));
        store.RunningProfile = c.running;
        const std::string before = Dump(hive, kClientKey);
        EXPECT_TRUE(applier.ApplyProfile());
        if (c.writes) {
            EXPECT_EQ(get(kClientMail, "Sender Name"), Variant("Ann at work")) << c.applied;
            EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Work"));
        } else {
            EXPECT_EQ(Dump(hive, kClientKey), before) << c.applied;
        }
    }
}

TEST_F(ApplyProfile, HostsFileTroubleIsToldAfterTheSwitchWhichGoesOn) {
#ifdef _WIN32
    // Windows refuses to replace or delete a folder as a file with "access denied".
    const std::string refused = "Error# = 70 Permission denied\r Line# = 8";
#else
    const std::string refused = "Error# = 75 Path/File access error\r Line# = 8";
#endif
    const std::vector<std::string> unreadable = {
        "Error# = 75 Path/File access error\r Line# = 7",
        "This error probably occured because the specified host file (" +
            files.JoinPath(winDir, ".") + ") does not exist."};
    const struct {
        const char* namedFile;  // "": the generated file
        bool hostsIsFolder;
        const char* workAddress;
        std::vector<std::string> told;
        std::optional<std::string> hosts;
    } cases[] = {
        {"", false, "1.2.3", {}, std::nullopt},            // too short: no file beats a wrong one
        {".", false, "10.0.0.6", unreadable, kGenerated},  // the Windows directory itself
        {"", true, "10.0.0.6", {refused}, std::nullopt},
        {"", true, "1.2.3", {refused}, std::nullopt},  // nor can the folder be deleted
    };
    multipleServers();
    for (const auto& c : cases) {
        std::filesystem::remove_all(hostsPath());
        if (c.hostsIsFolder) {
            std::filesystem::create_directory(hostsPath());
        } else {
            WriteBytes(hostsPath(), "old hosts\r\n");
        }
        putNumber(kProfileMail, "Automake Hosts", *c.namedFile == '\0' ? 0 : 1);
        put(kProfileMail, "Host file name", Variant(c.namedFile));
        put(kProfileMail + "\\work", "IP Address", Variant(c.workAddress));
        prompts.shown.clear();

        ASSERT_TRUE(applier.ApplyProfile()) << c.namedFile;
        EXPECT_EQ(prompts.texts(), c.told) << c.namedFile;
        EXPECT_EQ(std::filesystem::is_directory(hostsPath()), c.hostsIsFolder);
        EXPECT_EQ(c.hostsIsFolder ? std::nullopt : hosts(), c.hosts) << c.namedFile;
        EXPECT_EQ(get(kPop3 + "\\work", "IP Address"), Variant(c.workAddress));
    }
}

TEST_F(ApplyProfile, FailedStoreLeavesTheClientAndItsHostsFileAsTheyWere) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    multipleServers();
    const struct {
        bool failCommit;
        const char* failValue;
        std::optional<std::string> hostsBefore;
    } cases[] = {
        {true, "", "old hosts\r\n"},
        {false, "Sender Organization", std::nullopt},  // in the first area
        {false, "Account", "old hosts\r\n"},           // inside the account loop
    };
    for (const auto& c : cases) {
        std::filesystem::remove(hostsPath());
        if (c.hostsBefore) {
            WriteBytes(hostsPath(), *c.hostsBefore);
        }
        const std::string before = Dump(hive, "Software");
        hive.failCommit = c.failCommit;
        hive.failValue = c.failValue;
        prompts.shown.clear();

        EXPECT_FALSE(applier.ApplyProfile());
        EXPECT_EQ(Dump(hive, "Software"), before) << c.failValue;
        EXPECT_EQ(hosts(), c.hostsBefore);
        EXPECT_EQ(prompts.texts(),
                  (std::vector<std::string>{
                      "Quorvel could not switch to the profile \"Work\": the registry store "
                      "could not save the change. The mail client's settings are unchanged."}));
    }
}

}  // namespace
}  // namespace quorvel::testing
