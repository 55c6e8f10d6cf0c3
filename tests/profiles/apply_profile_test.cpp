#include "profiles/apply_profile.h"
#include "profiles/hosts_file.h"
#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kProfileMail = settings::ProfileKey("Work") + "\\Mail";
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
        put(kProfileMail, "Connection Type", Variant(2), registry::REG_DWORD);
        put(kProfileMail, "Account Profile List", Variant("home;work;|"));
        for (const auto& [name, address] : {std::pair{"home", "10.0.0.5"}, {"work", "10.0.0.6"}}) {
            const std::string key = kProfileMail + "\\" + name;
            put(key, "Default POP3 Server", Variant(std::string("pop.") + name));
            put(key, "IP Address", Variant(address));
            put(key, "Account", Variant(std::string("ann.") + name));
            put(key, "Default SMTP Server", Variant(std::string("smtp.") + name));
        }
        put(kProfileMail + "\\home", "Password", Variant("c2VjcmV0"), registry::REG_BINARY);
        put(settings::ProfileKey("Work") + "\\News", "DefaultServer", Variant("news.example"));
        put(settings::ProfileKey("Work") + "\\News", "Last Group", Variant("comp.lang.c"));
        context.CurrentProfile = "Work";
    }
    void multipleServers() {
        put(kProfileMail, "PollMultiplePopServers", Variant(1), registry::REG_DWORD);
    }
};

TEST_F(ApplyProfile, OneAccountGoesUnderItsServerNameSeveralReplaceTheServersAndTheHostsFile) {
    WriteBytes(hostsPath, "the user's hosts\r\n");
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(get(kWab, ""), Variant("work.wab"));
    EXPECT_EQ(get(kClientMail, "Sender Name"), Variant("Ann at work"));
    EXPECT_TRUE(hive.openKey(registry::Root::CurrentUser, kClientMail + "\\SMTP\\smtp.home"));
    EXPECT_EQ(get(kPop3 + "\\pop.home", "Account"), Variant("ann.home"));
    EXPECT_EQ(raw(kPop3 + "\\pop.home", "Password"), "c2VjcmV0=");
    EXPECT_FALSE(raw(kPop3 + "\\pop.home", "Default SMTP Server"));  // the Mail key's
    EXPECT_EQ(get(kPop3 + "\\old.server", "Account"), Variant("old"));
    EXPECT_EQ(get(kClientNews, "Last Group"), Variant("alt.home"));  // only when news starts
    EXPECT_EQ(get(kClientNews + "\\news.example", "Connection Type"), Variant(2));
    EXPECT_EQ(hosts(), "the user's hosts\r\n");

    multipleServers();
    store.RunningProfile = "";
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_FALSE(raw(kPop3 + "\\old.server", "Account"));
    EXPECT_EQ(get(kClientMail, "Default POP3 Server"), Variant("pop.home"));
    EXPECT_EQ(get(kPop3 + "\\work", "Account"), Variant("ann.work"));
    EXPECT_EQ(raw(kPop3 + "\\work", "Password"), "=");
    EXPECT_EQ(hosts(), kGenerated);
}

TEST_F(ApplyProfile, SkipsOnlyWhenTheClientHoldsTheProfileAndWasStartedWithIt) {
    const std::pair<const char*, const char*> writing[] = {
        {"Work", ""},      // not started with it in this run
        {"Home", "Work"},  // another profile was applied since
        {"work", "Work"},  // names compare exactly
        {"Work", "Work"},  // the only skip: last, so that the writes above cannot hide it
    };
    for (const auto& [applied, running] : writing) {
        put(kClientKey, "Current Profile", Variant(applied));
        put(kClientMail, "Sender Name", Variant("Ann at home"));
        store.RunningProfile = running;
        EXPECT_TRUE(applier.ApplyProfile());
        const bool skipped = std::string(applied) == "Work" && std::string(running) == "Work";
        EXPECT_EQ(get(kClientMail, "Sender Name"), Variant(skipped ? "Ann at home" : "Ann at work"))
            << applied << " / " << running;
    }
}

TEST_F(ApplyProfile, ClearingTheAppliedProfileTouchesOnlyTheProfileTheClientHolds) {
    store.RunningProfile = "Home";
    for (const char* profile : {"Work", "Home"}) {
        context.CurrentProfile = profile;
        store.ClearAppliedProfile();
        EXPECT_EQ(get(kClientKey, "Current Profile"), Variant(*profile == 'H' ? "" : "Home"));
        EXPECT_EQ(store.RunningProfile, *profile == 'H' ? "" : "Home");
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
        {"",
         true,
         "1.2.3",
         {refused},
         std::nullopt},  // a folder can be neither replaced nor deleted
    };
    multipleServers();
    for (const auto& c : cases) {
        std::filesystem::remove_all(hostsPath);
        if (c.hostsIsFolder) {
            std::filesystem::create_directory(hostsPath);
        } else {
            WriteBytes(hostsPath, "old hosts\r\n");
        }
        put(kProfileMail, "Automake Hosts", Variant(*c.namedFile == '\0' ? 0 : 1),
            registry::REG_DWORD);
        put(kProfileMail, "Host file name", Variant(c.namedFile));
        put(kProfileMail + "\\work", "IP Address", Variant(c.workAddress));
        prompts.shown.clear();

        ASSERT_TRUE(applier.ApplyProfile()) << c.namedFile;
        EXPECT_EQ(prompts.texts(), c.told) << c.namedFile;
        EXPECT_EQ(std::filesystem::is_directory(hostsPath), c.hostsIsFolder);
        EXPECT_EQ(hosts(), c.hosts) << c.namedFile;
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
        std::filesystem::remove(hostsPath);
        if (c.hostsBefore) {
            WriteBytes(hostsPath, *c.hostsBefore);
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

const std::string kLocalhost = "127.0.0.1       localhost  # leave this line alone\r\n\r\n";

// The file as it is to become; nullopt when it is to be deleted.
std::optional<std::string> Outcome(const profiles::HostsChange& change) {
    return change.remove ? std::nullopt : std::optional(change.text);
}

using HostsFile = ProfilesFixture;

TEST_F(HostsFile, AnAddressShorterThanSixCharactersSpoilsTheWholeFile) {
    const struct {
        std::vector<std::string> addresses;
        std::optional<std::string> result;
    } cases[] = {
        {{}, kLocalhost},
        {{"1.2.34"}, kLocalhost + "1.2.34   a0\r\n"},
        {{"10.0.0.5", "1.2.3", "10.0.0.7"}, std::nullopt},
        {{"\xC3\xA4.2.3"}, std::nullopt},  // six bytes, but five characters
    };
    for (const auto& c : cases) {
        profiles::HostsFile hostsFile(files, winDir);
        ASSERT_FALSE(hostsFile.Prepare(false, ""));
        for (std::size_t i = 0; i < c.addresses.size(); ++i) {
            hostsFile.AddLine(c.addresses[i], "a" + std::to_string(i));
        }
        EXPECT_EQ(Outcome(hostsFile.Finish()), c.result) << c.addresses.size();
    }
}

TEST_F(HostsFile, NamedFileIsCopiedLineByLineWithCrLf) {
    const struct {
        std::string source;
        std::string copy;
    } cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb\r\n"},
        {"a\n\nb", "a\r\n\r\nb\r\n"},
        {"a\r\r\nb\n\r", "a\r\n\r\nb\r\n\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(files.JoinPath(winDir, "my hosts.txt"), c.source);
        profiles::HostsFile hostsFile(files, winDir);
        ASSERT_FALSE(hostsFile.Prepare(true, "my hosts.txt"));
        hostsFile.AddLine("10.0.0.5", "home");  // the user's file must map the names itself
        EXPECT_EQ(Outcome(hostsFile.Finish()), c.copy) << ::testing::PrintToString(c.source);
    }
}

}  // namespace
}  // namespace quorvel::testing
