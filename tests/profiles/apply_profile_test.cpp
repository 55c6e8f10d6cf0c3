#include "profiles/apply_profile.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;

const std::string kProfile = ProfileKeyOf("Work");
const std::string kProfileMail = kProfile + "\\Mail";
const std::string kProfileNews = kProfile + "\\News";
const std::string kPop3 = kClientMail + "\\POP3";
const std::string kWab(settings::kWabFileKey);
const std::string kLocalhost = "127.0.0.1       localhost  # leave this line alone\r\n\r\n";

// The client holds the profile "Home"; the profile "Work" has two account profiles, "home"
// (the default, with a password) and "work" (without one).
class ApplyProfile : public ProfilesFixture {
  protected:
    void SetUp() override {
        put(kClientKey, "Current Profile", Variant("Home"));
        put(kClientMail, "Sender Name", Variant("Ann at home"));
        put(kPop3 + "\\old.server", "Account", Variant("old"));
        put(kClientNews, "Last Group", Variant("alt.home"));
        put(kWab, "", Variant("home.wab"));

        put(kProfileMail, "Sender Name", Variant("Ann at work"));
        put(kProfileMail, "Store Root", Variant("C:\\Mail\\Work"));
        put(kProfileMail, "WAB", Variant("work.wab"));
        put(kProfileMail, "Signature Text", Variant("-- Ann"));
        putNumber(kProfileMail, "Poll For Mail", 1);
        put(kProfileMail, "Default Account Profile", Variant("home"));
        putNumber(kProfileMail, "PollMultiplePopServers", 0);
        putNumber(kProfileMail, "Connection Type", 2);
        put(kProfileMail, "RAS Phonebook Entry", Variant("Office"));
        put(kProfileMail, "Account Profile List", Variant("home;work;|"));
        account("home", "pop.home.example", "10.0.0.5", "ann", "c2VjcmV0");
        account("work", "pop.work.example", "10.0.0.6", "ann.w", std::nullopt);
        put(kProfileNews, "Sender Name", Variant("Ann in news"));
        put(kProfileNews, "DefaultServer", Variant("news.example"));
        put(kProfileNews, "Last Group", Variant("comp.lang.c"));
        putNumber(kProfileNews, "Cache Delete Message Days", 7);

        context.CurrentProfile = "Work";
    }

    void account(const std::string& name, const std::string& pop3, const std::string& address,
                 const std::string& user, std::optional<std::string> password) {
        const std::string key = kProfileMail + "\\" + name;
        put(key, "Default POP3 Server", Variant(pop3));
        put(key, "IP Address", Variant(address));
        put(key, "Account", Variant(user));
        if (password) {
            put(key, "Password", Variant(*password), REG_BINARY);
        }
        put(key, "Default SMTP Server", Variant("smtp." + name + ".example"));
        putNumber(key, "Port", 110);
    }
    void multipleServers() { putNumber(kProfileMail, "PollMultiplePopServers", 1); }
    void namedHostsFile(const std::string& name) {
        putNumber(kProfileMail, "Automake Hosts", 1);
        put(kProfileMail, "Host file name", Variant(name));
    }
};

TEST_F(ApplyProfile, SingleAccountWritesTheDefaultAccountUnderItsOwnServerName) {
    WriteBytes(hostsPath(), "the user's hosts\r\n");
    ASSERT_TRUE(applier.ApplyProfile());

    EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Work"));
    EXPECT_EQ(get(kClientKey, "Store Root"), Variant("C:\\Mail\\Work"));
    EXPECT_EQ(get(kWab, ""), Variant("work.wab"));
    EXPECT_EQ(get(kClientMail, "Sender Name"), Variant("Ann at work"));
    EXPECT_EQ(get(kClientMail, "Sender EMail"), Variant(""));  // missing in the profile
    EXPECT_EQ(get(kClientMail, "Poll For Mail"), Variant(1));
    EXPECT_EQ(get(kClientMail, "Default POP3 Server"), Variant("pop.home.example"));
    EXPECT_EQ(get(kClientMail, "Default SMTP Server"), Variant("smtp.home.example"));
    EXPECT_EQ(get(kClientMail, "PollMultiplePopServers"), Variant(0));
    EXPECT_EQ(get(kClientMail, "Connection Type"), Variant(2));
    EXPECT_EQ(get(kClientMail, "RAS Phonebook Entry"), Variant("Office"));
    EXPECT_TRUE(keyExists(kClientMail + "\\SMTP\\smtp.home.example"));

    const std::string server = kPop3 + "\\pop.home.example";
    EXPECT_EQ(get(server, "IP Address"), Variant("10.0.0.5"));
    EXPECT_EQ(get(server, "Account"), Variant("ann"));
    EXPECT_EQ(raw(server, "Password"), "c2VjcmV0=");
    EXPECT_EQ(get(server, "RememberPassword"), Variant(1));
    EXPECT_EQ(get(server, "Port"), Variant(110));
    EXPECT_EQ(get(server, "LeaveMailOnServer"), Variant(0));
    EXPECT_FALSE(raw(server, "Default SMTP Server"));  // a Mail key setting, not a server's
    EXPECT_EQ(get(kPop3 + "\\old.server", "Account"), Variant("old"));
    EXPECT_FALSE(keyExists(kPop3 + "\\home"));

    EXPECT_EQ(get(kClientNews, "Sender Name"), Variant("Ann in news"));
    EXPECT_EQ(get(kClientNews, "DefaultServer"), Variant("news.example"));
    EXPECT_EQ(get(kClientNews, "Last Group"), Variant("alt.home"));  // only when news starts
    EXPECT_EQ(get(kClientNews, "Cache Delete Message Days"), Variant(7));
    EXPECT_EQ(get(kClientNews + "\\news.example", "RAS Phonebook Entry"), Variant("Office"));
    EXPECT_EQ(get(kClientNews + "\\news.example", "Connection Type"), Variant(2));

    EXPECT_EQ(hosts(), "the user's hosts\r\n");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ApplyProfile, MultipleServersGiveOneServerKeyPerAccountProfileAndAHostsFile) {
    multipleServers();
    WriteBytes(hostsPath(), "old hosts\r\n");
    ASSERT_TRUE(applier.ApplyProfile());

    EXPECT_FALSE(keyExists(kPop3 + "\\old.server"));
    EXPECT_FALSE(keyExists(kPop3 + "\\pop.home.example"));
    EXPECT_EQ(get(kClientMail, "PollMultiplePopServers"), Variant(1));
    EXPECT_EQ(get(kClientMail, "Default POP3 Server"), Variant("pop.home.example"));
    EXPECT_EQ(get(kPop3 + "\\home", "Account"), Variant("ann"));
    EXPECT_EQ(raw(kPop3 + "\\home", "Password"), "c2VjcmV0=");
    EXPECT_EQ(get(kPop3 + "\\home", "RememberPassword"), Variant(1));
    EXPECT_EQ(get(kPop3 + "\\work", "Account"), Variant("ann.w"));
    EXPECT_EQ(get(kPop3 + "\\work", "IP Address"), Variant("10.0.0.6"));
    EXPECT_EQ(raw(kPop3 + "\\work", "Password"), "=");
    EXPECT_EQ(get(kPop3 + "\\work", "RememberPassword"), Variant(0));

    EXPECT_EQ(hosts(), kLocalhost + "10.0.0.5   home\r\n10.0.0.6   work\r\n");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ApplyProfile, DisabledNewsLeavesEveryNewsKeyAlone) {
    store.NewsDisabled = true;
    const std::string newsBefore = Dump(hive, kClientNews);
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(Dump(hive, kClientNews), newsBefore);
    EXPECT_EQ(get(kClientMail, "Sender Name"), Variant("Ann at work"));
    EXPECT_EQ(get(kClientMail, "Connection Type"), Variant(2));
}

TEST_F(ApplyProfile, SkipsOnlyWhenTheClientHoldsTheProfileAndWasStartedWithIt) {
    const struct {
        const char* applied;
        const char* running;
        bool writes;
    } cases[] = {
        {"Work", "Work", false}, {"Work", "", true},  // not started with it in this run
        {"Home", "Work", true},                       // another profile was applied since
        {"work", "Work", true},                       // names compare exactly
        {"", "Work", true},
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

TEST_F(ApplyProfile, AddressTooShortLeavesNoHostsFileButTheAccountIsApplied) {
    multipleServers();
    WriteBytes(hostsPath(), "old hosts\r\n");
    put(kProfileMail + "\\work", "IP Address", Variant("1.2.3"));
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(hosts(), std::nullopt);
    EXPECT_EQ(get(kPop3 + "\\work", "IP Address"), Variant("1.2.3"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ApplyProfile, NamedHostsFileIsCopiedWithoutAccountLines) {
    multipleServers();
    namedHostsFile("myhosts.txt");
    WriteBytes(files.JoinPath(winDir, "myhosts.txt"), "127.0.0.1 localhost\n10.1.1.1 home\n");
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(hosts(), "127.0.0.1 localhost\r\n10.1.1.1 home\r\n");
    EXPECT_TRUE(keyExists(kPop3 + "\\work"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ApplyProfile, MissingNamedHostsFileIsReportedAndTheFileGenerated) {
    multipleServers();
    namedHostsFile("myhosts.txt");
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{
                                   "Error# = 53 File not found\r Line# = 7",
                                   "This error probably occured because the specified host "
                                   "file (" +
                                       files.JoinPath(winDir, "myhosts.txt") + ") does not exist.",
                               }));
    for (const auto& box : prompts.shown) {
        EXPECT_EQ(box.buttons, profiles::Buttons::Ok);
        EXPECT_EQ(box.title, "Quorvel!");
    }
    EXPECT_EQ(hosts(), kLocalhost + "10.0.0.5   home\r\n10.0.0.6   work\r\n");
    EXPECT_EQ(get(kPop3 + "\\work", "Account"), Variant("ann.w"));
}

TEST_F(ApplyProfile, HostsFileThatCannotBeWrittenEndsTheAccountsAndTheSwitchGoesOn) {
    multipleServers();
    WriteBytes(hostsPath(), "old hosts\r\n");
    files.writeError = profiles::FileError{70, "Permission denied"};
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"Error# = 70 Permission denied\r Line# = 8"}));
    EXPECT_EQ(hosts(), "old hosts\r\n");
    EXPECT_EQ(get(kPop3 + "\\work", "Account"), Variant("ann.w"));
    EXPECT_EQ(get(kClientNews, "Sender Name"), Variant("Ann in news"));
    EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Work"));
}

TEST_F(ApplyProfile, AFolderWhereAHostsFileShouldBeIsReportedAndTheSwitchGoesOn) {
    // The user's file named "." (the Windows directory itself), or a folder named "hosts".
    const struct {
        std::string namedFile;
        bool hostsIsFolder;
        std::string badAddress;
        std::vector<std::string> endings;  // how each message ends
        bool generated;
    } cases[] = {
        {".", false, "", {" Line# = 7", files.JoinPath(winDir, ".") + ") does not exist."}, true},
        {"", true, "", {" Line# = 8"}, false},
        {"", true, "1.2.3", {" Line# = 8"}, false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(hostsPath());
        prompts.shown.clear();
        put(kClientKey, "Current Profile", Variant("Home"));
        multipleServers();
        putNumber(kProfileMail, "Automake Hosts", c.namedFile.empty() ? 0 : 1);
        put(kProfileMail, "Host file name", Variant(c.namedFile));
        put(kProfileMail + "\\work", "IP Address",
            Variant(c.badAddress.empty() ? "10.0.0.6" : c.badAddress));
        if (c.hostsIsFolder) {
            std::filesystem::create_directory(hostsPath());
        }
        ASSERT_TRUE(applier.ApplyProfile()) << c.namedFile;
        const std::vector<std::string> texts = prompts.texts();
        ASSERT_EQ(texts.size(), c.endings.size()) << c.namedFile;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_TRUE(texts[i].ends_with(c.endings[i])) << texts[i];
        }
        EXPECT_TRUE(texts[0].starts_with("Error# = ")) << texts[0];
        EXPECT_EQ(std::filesystem::is_directory(hostsPath()), c.hostsIsFolder);
        if (c.generated) {
            EXPECT_EQ(hosts(), kLocalhost + "10.0.0.5   home\r\n10.0.0.6   work\r\n");
        }
        EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Work"));
        EXPECT_EQ(get(kPop3 + "\\work", "Account"), Variant("ann.w"));
    }
}

TEST_F(ApplyProfile, MessagesWaitUntilTheSwitchIsStored) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    multipleServers();
    namedHostsFile("missing.txt");
    // What another process sharing the store sees while the box is up.
    TestHive other(dir.file("registry.db"));
    FixedFolders otherFolders;
    registry::Registry otherReg(other, otherFolders);
    std::vector<std::string> seen;
    prompts.whileShown = [&](const ScriptedPrompts::Shown&) {
        otherReg.GetValue(kClientKey, "Current Profile");
        seen.push_back(otherReg.RegValue.text());
    };
    ASSERT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(seen, (std::vector<std::string>{"Work", "Work"}));
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
        {true, "", std::nullopt},
        {false, "Sender Organization", "old hosts\r\n"},  // in the first area
        {false, "Port", std::nullopt},                    // inside the account loop
    };
    const std::string message =
        "Quorvel could not switch to the profile \"Work\": the registry store could not save "
        "the change. The mail client's settings are unchanged.";
    for (const auto& c : cases) {
        std::filesystem::remove(hostsPath());
        if (c.hostsBefore) {
            WriteBytes(hostsPath(), *c.hostsBefore);
        }
        const std::string clientBefore = Dump(hive, kClientKey);
        const std::string wabBefore = Dump(hive, kWab);
        hive.failCommit = c.failCommit;
        hive.failValue = c.failValue;
        prompts.shown.clear();

        EXPECT_FALSE(applier.ApplyProfile());
        EXPECT_EQ(Dump(hive, kClientKey), clientBefore) << c.failValue;
        EXPECT_EQ(Dump(hive, kWab), wabBefore);
        EXPECT_EQ(hosts(), c.hostsBefore);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text, message);
        EXPECT_EQ(prompts.shown[0].icon, profiles::Icon::Exclamation);
        EXPECT_EQ(prompts.shown[0].title, "Quorvel!");
    }
    hive.failCommit = false;
    hive.failValue.clear();
    EXPECT_TRUE(applier.ApplyProfile());
    EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Work"));
}

}  // namespace
}  // namespace quorvel::testing
