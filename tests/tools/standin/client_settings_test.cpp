// What the stand-in client reads from its keys and how its window words it.
#include "client_settings.h"

#include <gtest/gtest.h>

#include "registry/sqlite/sqlite_hive.h"
#include "settings_view.h"
#include "support/temp_dir.h"

namespace quorvel::standin {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;

const std::string kImn = "Software\\Microsoft\\Internet Mail and News";
const std::string kMail = kImn + "\\Mail";
const std::string kNews = kImn + "\\News";

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

class ClientSettings : public ::testing::Test {
  protected:
    void set(const std::string& key, const std::string& name, const Variant& data,
             std::uint32_t type = REG_SZ) {
        reg_.CreateKey(key, registry::Root::CurrentUser);
        ASSERT_EQ(reg_.SetValue(key, name, data, type), registry::ERROR_SUCCESS);
    }

    testing::TempDir dir_;
    registry::SqliteHive hive_{dir_.file("registry.db")};
    NoFolders folders_;
    registry::Registry reg_{hive_, folders_};
};

TEST_F(ClientSettings, MailComesFromTheClientsMailKeysOnly) {
    set(kImn, "Store Root", "/store/ann");
    set("Software\\Microsoft\\WAB\\Wab File Name", "", "/books/ann.wab");
    set(kMail, "Sender Name", "Ann");
    set(kMail, "Connection Type", 2, REG_DWORD);
    // Decoys: the store lives in the client's key itself, news has an identity of its own, and
    // the switcher's profile copy is not the client's setting.
    set(kMail, "Store Root", "/wrong/mail-key");
    set(kNews, "Sender Name", "Ann in news");
    set("Software\\Quorvel!\\Profiles\\Work\\Mail", "Sender EMail", "profile@example.com");

    const MailSettings mail = ReadMailSettings(reg_);
    EXPECT_EQ(mail.storeRoot, "/store/ann");
    EXPECT_EQ(mail.addressBook, "/books/ann.wab");
    EXPECT_EQ(mail.identity.senderName, "Ann");
    EXPECT_EQ(mail.identity.senderEMail, "");
    EXPECT_EQ(mail.connectionType, "2");
}

TEST_F(ClientSettings, EveryPop3ServerKeyWithItsOwnValuesAndPasswordState) {
    const std::string pop3 = kMail + "\\POP3\\";
    set(pop3 + "work.example.com", "Account", "ann.w");
    set(pop3 + "work.example.com", "Port", 995, REG_DWORD);
    set(pop3 + "Home.example.com", "Password", "YWJj", REG_BINARY);  // stored as "YWJj="
    set(pop3 + "old.example.com", "Password", "", REG_BINARY);       // blanked: the byte "="
    reg_.CreateKey(pop3 + "new.example.com", registry::Root::CurrentUser);

    const MailSettings mail = ReadMailSettings(reg_);
    ASSERT_EQ(mail.pop3Servers.size(), 4u);
    struct Expected {
        const char* name;
        const char* account;
        const char* port;
        bool password;
    };
    // Enumerated as the registry does, without regard to case.
    const Expected expected[] = {{"Home.example.com", "", "", true},
                                 {"new.example.com", "", "", false},
                                 {"old.example.com", "", "", false},
                                 {"work.example.com", "ann.w", "995", false}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(mail.pop3Servers[i].name, expected[i].name);
        EXPECT_EQ(mail.pop3Servers[i].account, expected[i].account);
        EXPECT_EQ(mail.pop3Servers[i].port, expected[i].port);
        EXPECT_EQ(mail.pop3Servers[i].passwordStored, expected[i].password);
    }
}

TEST_F(ClientSettings, NewsComesFromTheNewsKeys) {
    set(kNews, "Sender Name", "Ann N");
    set(kNews, "DefaultServer", "news.example.com");
    set(kNews, "Last Group", "comp.lang.c");
    set(kNews + "\\news.example.com", "Connection Type", 2, REG_DWORD);
    set(kNews + "\\news.example.com", "RAS Phonebook Entry", "Office");
    set(kMail, "Sender Name", "Ann in mail");

    const NewsSettings news = ReadNewsSettings(reg_);
    EXPECT_EQ(news.identity.senderName, "Ann N");
    EXPECT_EQ(news.defaultServer, "news.example.com");
    EXPECT_EQ(news.lastGroup, "comp.lang.c");
    ASSERT_EQ(news.servers.size(), 1u);
    EXPECT_EQ(news.servers[0].connectionType, "2");
    EXPECT_EQ(news.servers[0].rasPhonebookEntry, "Office");
}

TEST(SettingsView, ConnectionWords) {
    EXPECT_EQ(ConnectionText("0", "Office"), "LAN");
    EXPECT_EQ(ConnectionText("7", "Office"), "dial-up: Office");
    EXPECT_EQ(ConnectionText("2", ""), "dial-up: (not set)");
    EXPECT_EQ(ConnectionText("", "Office"), "(not set)");
}

TEST(SettingsView, MarksTheDefaultServerWhateverTheCase) {
    MailSettings mail;
    mail.defaultPop3Server = "POP.example.com";
    mail.pop3Servers = {{"other.example.com", "a", "", "", "0", false},
                        {"pop.example.com", "b", "", "110", "1", true}};
    const auto view = MailView(mail);
    ASSERT_EQ(view[2].title, "Servers");
    ASSERT_EQ(view[2].sections.size(), 2u);
    EXPECT_EQ(view[2].sections[0].title, "POP3 server other.example.com");
    EXPECT_EQ(view[2].sections[1].title, "POP3 server pop.example.com (default)");
}

}  // namespace
}  // namespace quorvel::standin
