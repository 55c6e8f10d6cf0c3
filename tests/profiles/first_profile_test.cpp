#include "profiles/first_profile.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;

const std::string kAppKey(settings::kAppKey);
const std::string kClientServer = kClientMail + "\\POP3\\pop.example";

// A client set up by its user, and a program tree as the start-up bookkeeping leaves it.
class FirstProfile : public ProfilesFixture {
  protected:
    profiles::FirstProfileMaker maker{reg, context, transfer, base64, prompts};

    void SetUp() override {
        reg.CreateKey(std::string(settings::kProfilesKey), registry::Root::CurrentUser);
        put(kAppKey, "Profile List", Variant("Old;|"));
        put(kClientKey, "Store Root", Variant("C:\\Mail"));
        put(std::string(settings::kWabFileKey), "", Variant("ann.wab"));
        put(kClientMail, "Sender Name", Variant("Ann Smith"));
        put(kClientMail, "Default POP3 Server", Variant("pop.example"));
        put(kClientMail, "Default SMTP Server", Variant("smtp.example"));
        putNumber(kClientMail, "Connection Type", 1);
        put(kClientMail, "RAS Phonebook Entry", Variant("Dial"));
        put(kClientMail, "Maximize Mail Window", Variant("yes"));
        put(kClientMail, "Indent Char", Variant(">"));
        putNumber(kClientMail, "MarkPreviewAsRead", 0);
        put(kClientServer, "Account", Variant("ann"));
        put(kClientServer, "Password", Variant("c2VjcmV0"), REG_BINARY);
        putNumber(kClientServer, "Port", 995);
        putNumber(kClientServer, "RememberPassword", 1);
        put(kClientNews, "DefaultServer", Variant("news.example"));
        putNumber(kClientNews, "Download at a time", 300);
    }
};

TEST_F(FirstProfile, CopiesTheClientIntoANewProfile) {
    EXPECT_EQ(maker.MakeFirstProfile(), "Ann Smith");
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(context.CurrentProfile, "Ann Smith");
    EXPECT_EQ(context.ServerName, "pop.example");
    EXPECT_EQ(context.AccountProfile, "pop.example");

    EXPECT_EQ(get(kAppKey, "Profile List"), Variant("Ann Smith;|"));
    EXPECT_EQ(get(kAppKey, "Current Profile"), Variant("Ann Smith"));
    EXPECT_FALSE(raw(kClientKey, "Current Profile"));  // the client already holds these settings

    const std::string mail = ProfileKeyOf("Ann Smith") + "\\Mail";
    const std::string account = mail + "\\pop.example";
    EXPECT_EQ(get(mail, "Account Profile List"), Variant("pop.example;|"));
    EXPECT_EQ(get(mail, "Default Account Profile"), Variant("pop.example"));
    EXPECT_EQ(get(mail, "PollMultiplePopServers"), Variant(0));
    EXPECT_EQ(get(mail, "Sender Name"), Variant("Ann Smith"));
    EXPECT_EQ(get(mail, "Store Root"), Variant("C:\\Mail"));
    EXPECT_EQ(get(mail, "WAB"), Variant("ann.wab"));
    EXPECT_EQ(get(mail, "Connection Type"), Variant(1));
    EXPECT_EQ(get(mail, "RAS Phonebook Entry"), Variant("Dial"));
    EXPECT_EQ(get(account, "Default POP3 Server"), Variant("pop.example"));
    EXPECT_EQ(get(account, "Default SMTP Server"), Variant("smtp.example"));
    EXPECT_EQ(get(account, "Account"), Variant("ann"));
    EXPECT_EQ(raw(account, "Password"), "c2VjcmV0=");
    EXPECT_EQ(get(account, "Port"), Variant(995));
    EXPECT_FALSE(raw(account, "RememberPassword"));
    EXPECT_EQ(get(ProfileKeyOf("Ann Smith") + "\\News", "DefaultServer"), Variant("news.example"));
    for (const auto& [key, name] : {std::pair{ProfileKeyOf("Ann Smith"), "Secure Profile"},
                                    {mail, "Host file name"},
                                    {mail, "Automake Hosts"}}) {
        EXPECT_FALSE(raw(key, name)) << name;
    }
}

TEST_F(FirstProfile, OptionsTheClientLacksBecomeOffOrOnByGroup) {
    ASSERT_TRUE(maker.MakeFirstProfile());
    const std::string mail = ProfileKeyOf("Ann Smith") + "\\Mail";
    const std::string news = ProfileKeyOf("Ann Smith") + "\\News";
    const struct {
        const std::string& key;
        const char* name;
        std::int32_t value;
    } cases[] = {
        {mail, "Send HTML Messages", 0},    // missing, first group
        {mail, "Maximize Mail Window", 0},  // not a number, first group
        {mail, "Poll For Mail", -1},        // missing, second group
        {mail, "Indent Char", -1},          // not a number, second group
        {mail, "MarkPreviewAsRead", 0},     // a number is kept
        {mail, "Signature Type", 0},        // no rule: a missing number is 0
        {news, "Auto Expand Threads", 0},  {news, "NewsShowReadArticles", 0},
        {news, "Polling Interval", -1},    {news, "Cache Delete Message Days", -1},
        {news, "Download at a time", 300},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(get(c.key, c.name), Variant(c.value)) << c.name;
    }
}

TEST_F(FirstProfile, ClientWithoutServerKeyGivesAnEmptyPassword) {
    reg.DeleteKey(kClientMail, "POP3");
    ASSERT_TRUE(maker.MakeFirstProfile());
    const std::string account = ProfileKeyOf("Ann Smith") + "\\Mail\\pop.example";
    EXPECT_EQ(raw(account, "Password"), "=");
    EXPECT_EQ(get(account, "Account"), Variant(""));
}

TEST_F(FirstProfile, SenderNameBecomesTheProfileNameWhenItIsAUsableName) {
    const struct {
        const char* sender;
        const char* profile;
    } cases[] = {
        {"Jo", "Profile 1"},        {"Joe", "Joe"},
        {"A/B Smith", "Profile 1"}, {"Ann Smith", "Ann Smith"},
        {"", "Profile 1"},          {"\xC3\x85sa", "\xC3\x85sa"},  // three characters in four bytes
        {"\xC3\x85s", "Profile 1"},                                // two characters in three bytes
        {"Ann;Bob", "Profile 1"},  // would read back as two names from the list
    };
    for (const auto& c : cases) {
        put(kClientMail, "Sender Name", Variant(c.sender));
        EXPECT_EQ(maker.MakeFirstProfile(), c.profile) << c.sender;
        EXPECT_EQ(context.CurrentProfile, c.profile) << c.sender;
        EXPECT_EQ(get(kAppKey, "Profile List"), Variant(std::string(c.profile) + ";|"));
        EXPECT_TRUE(keyExists(ProfileKeyOf(c.profile) + "\\Mail\\pop.example"));
    }
}

TEST_F(FirstProfile, FailedStoreChangesNothing) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    const std::string before = Dump(hive, kAppKey);
    hive.failCommit = true;
    EXPECT_EQ(maker.MakeFirstProfile(), std::nullopt);
    EXPECT_EQ(Dump(hive, kAppKey), before);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Quorvel could not make the first profile \"Ann Smith\" from the mail client's "
              "settings: the registry store could not save it. Nothing has been changed.");
    EXPECT_EQ(prompts.shown[0].icon, profiles::Icon::Exclamation);
}

TEST(HasBadChar, FindsAnyOfTheEighteenForbiddenCharacters) {
    for (const char bad : std::string_view("/\\@<>?|*#,%\"()^:{}")) {
        EXPECT_TRUE(profiles::HasBadChar(std::string("Ann") + bad + "Smith")) << bad;
        EXPECT_TRUE(profiles::HasBadChar(std::string(1, bad))) << bad;
    }
    const struct {
        const char* name;
        bool bad;
    } cases[] = {
        {"50% off", true},
        {"Mail-Home_2", false},
        {"", false},
        {"Profile 1", false},
        {"Ann's & co. ~!$=+[]", false},
        {"Ann;Bob", false},  // not one of the eighteen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profiles::HasBadChar(c.name), c.bad) << c.name;
    }
}

}  // namespace
}  // namespace quorvel::testing
