#include "profiles/first_profile.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kAppKey(settings::kAppKey);
const std::string kClientServer = kClientMail + "\\POP3\\pop.example";

// A client set up by its user, and a program tree as the start-up bookkeeping leaves it.
class FirstProfile : public ProfilesFixture {
  protected:
    profiles::FirstProfileMaker maker{reg, context, core.transfer, core.base64, prompts};

    void SetUp() override {
        reg.CreateKey(std::string(settings::kProfilesKey), registry::Root::CurrentUser);
        put(kAppKey, "Profile List", Variant("Old;|"));
        put(std::string(settings::kWabFileKey), "", Variant("ann.wab"));
        put(kClientMail, "Sender Name", Variant("Ann Smith"));
        put(kClientMail, "Default POP3 Server", Variant("pop.example"));
        put(kClientMail, "Default SMTP Server", Variant("smtp.example"));
        put(kClientMail, "Send Mail Immediately", Variant("yes"));
        put(kClientServer, "Password", Variant("c2VjcmV0"), registry::REG_BINARY);
        for (const auto& [key, name, number] : {std::tuple{kClientServer, "Port", 995},
                                                {kClientServer, "RememberPassword", 1},
                                                {kClientNews, "Download at a time", 300}}) {
            put(key, name, Variant(number), registry::REG_DWORD);
        }
    }
};

TEST_F(FirstProfile, CopiesTheClientIntoANewProfile) {
    EXPECT_EQ(maker.MakeFirstProfile(), "Ann Smith");
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(context.CurrentProfile, "Ann Smith");
    EXPECT_EQ(get(kAppKey, "Current Profile"), Variant("Ann Smith"));
    EXPECT_FALSE(raw(kClientKey, "Current Profile"));  // the client already holds these settings

    const std::string mail = settings::ProfileKey("Ann Smith") + "\\Mail";
    const std::string news = settings::ProfileKey("Ann Smith") + "\\News";
    const std::string account = mail + "\\pop.example";
    EXPECT_EQ(get(mail, "Account Profile List"), Variant("pop.example;|"));
    EXPECT_EQ(get(mail, "Default Account Profile"), Variant("pop.example"));
    EXPECT_EQ(get(mail, "WAB"), Variant("ann.wab"));
    EXPECT_EQ(get(account, "Default SMTP Server"), Variant("smtp.example"));
    EXPECT_EQ(raw(account, "Password"), "c2VjcmV0=");
    EXPECT_FALSE(raw(account, "RememberPassword"));
    // What the client lacks, or holds as no number, becomes off or on by the option's group.
    const struct {
        const std::string& key;
        const char* name;
        std::int32_t value;
    } cases[] = {
        {account, "Port", 995},              // a number is kept
        {mail, "Send Mail Immediately", 0},  // not a number, the last of the first group
        {mail, "Poll For Mail", -1},         // missing, the first of the second group
        {mail, "Signature Type", 0},         // no rule: a missing number is 0
        {news, "NewsShowReadArticles", 0},   // the last of the first group
        {news, "Polling Interval", -1},      // the first of the second group
    };
    for (const auto& c : cases) {
        EXPECT_EQ(get(c.key, c.name), Variant(c.value)) << c.name;
    }
}

TEST_F(FirstProfile, SenderNameBecomesTheProfileNameWhenItIsAUsableName) {
    const struct {
        const char* sender;
        const char* profile;
    } cases[] = {
        {"\xC3\x85sa", "\xC3\x85sa"},  // three characters in four bytes
        {"\xC3\x85s", "Profile 1"},    // two characters in three bytes
        {"A/B Smith", "Profile 1"},   {"Ann's & co. ~!$=+[]", "Ann's & co. ~!$=+[]"},
        {"Ann;Bob", "Profile 1"},  // would read back as two names from the list
    };
    for (const auto& c : cases) {
        put(kClientMail, "Sender Name", Variant(c.sender));
        EXPECT_EQ(maker.MakeFirstProfile(), c.profile) << c.sender;
        EXPECT_EQ(context.CurrentProfile, c.profile) << c.sender;
        EXPECT_EQ(get(kAppKey, "Profile List"), Variant(std::string(c.profile) + ";|"));
        EXPECT_TRUE(hive.openKey(registry::Root::CurrentUser,
                                 settings::ProfileKey(c.profile) + "\\Mail\\pop.example"));
    }
}

}  // namespace
}  // namespace quorvel::testing
