// What the stand-in client reads from its keys and how its window words it.
#include "client_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "client_snapshot.h"
#include "registry/sqlite/sqlite_hive.h"
#include "settings_view.h"
#include "support/temp_dir.h"

namespace quorvel::standin {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;
using registry::Root;

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
        reg_.CreateKey(key, Root::CurrentUser);
        ASSERT_EQ(reg_.SetValue(key, name, data, type), registry::ERROR_SUCCESS);
    }

    testing::TempDir dir_;
    registry::SqliteHive hive_{dir_.file("registry.db")};
    NoFolders folders_;
    registry::Registry reg_{hive_, folders_};
};

TEST_F(ClientSettings, MailComesFromTheClientsMailKeysOnly) {
    set(kImn, "Store Root", "/store/ann");
    set(kImn, "Current Profile", "Work");
    set("Software\\Microsoft\\WAB\\Wab File Name", "", "/books/ann.wab");
    set(kMail, "Sender Name", "Ann");
    set(kMail, "Sender EMail", "ann@example.com");
    set(kMail, "Reply to", "replies@example.com");
    set(kMail, "Sender Organization", "Example");
    set(kMail, "Default POP3 Server", "pop.example.com");
    set(kMail, "Default SMTP Server", "smtp.example.com");
    set(kMail, "PollMultiplePopServers", 1, REG_DWORD);
    set(kMail, "Connection Type", 2, REG_DWORD);
    set(kMail, "RAS Phonebook Entry", "Office");
    set(kMail, "LastFolder", "Sent Items");
    // Decoys in the wrong places: the store lives in the client's key itself, the identity of
    // mail is not that of news, and the switcher's own tree is not the client's.
    set(kMail, "Store Root", "/wrong/mail-key");
    set(kNews, "Sender Name", "Ann in news");
    set("Software\\Quorvel!\\Profiles\\Work\\Mail", "Sender Name", "Profile copy");

    const MailSettings mail = ReadMailSettings(reg_);
    EXPECT_EQ(mail.storeRoot, "/store/ann");
    EXPECT_EQ(mail.currentProfile, "Work");
    EXPECT_EQ(mail.addressBook, "/books/ann.wab");
    EXPECT_EQ(mail.identity.senderName, "Ann");
    EXPECT_EQ(mail.identity.senderEMail, "ann@example.com");
    EXPECT_EQ(mail.identity.replyTo, "replies@example.com");
    EXPECT_EQ(mail.identity.organization, "Example");
    EXPECT_EQ(mail.defaultPop3Server, "pop.example.com");
    EXPECT_EQ(mail.defaultSmtpServer, "smtp.example.com");
    EXPECT_EQ(mail.pollMultiplePopServers, "1");
    EXPECT_EQ(mail.connectionType, "2");
    EXPECT_EQ(mail.rasPhonebookEntry, "Office");
    EXPECT_EQ(mail.lastFolder, "Sent Items");
}

TEST_F(ClientSettings, EveryPop3ServerKeyWithItsOwnValues) {
    const std::string pop3 = kMail + "\\POP3\\";
    set(pop3 + "work.example.com", "Account", "ann.w");
    set(pop3 + "work.example.com", "IP Address", "192.0.2.1");
    set(pop3 + "work.example.com", "Port", 995, REG_DWORD);
    set(pop3 + "work.example.com", "RememberPassword", 1, REG_DWORD);
    set(pop3 + "Home.example.com", "Account", "ann.h");
    set(pop3 + "Home.example.com", "RememberPassword", 0, REG_DWORD);

    const MailSettings mail = ReadMailSettings(reg_);
    ASSERT_EQ(mail.pop3Servers.size(), 2u);
    // Enumerated as the registry does, without regard to case.
    EXPECT_EQ(mail.pop3Servers[0].name, "Home.example.com");
    EXPECT_EQ(mail.pop3Servers[0].account, "ann.h");
    EXPECT_EQ(mail.pop3Servers[0].ipAddress, "");
    EXPECT_EQ(mail.pop3Servers[0].rememberPassword, "0");
    EXPECT_EQ(mail.pop3Servers[1].name, "work.example.com");
    EXPECT_EQ(mail.pop3Servers[1].account, "ann.w");
    EXPECT_EQ(mail.pop3Servers[1].ipAddress, "192.0.2.1");
    EXPECT_EQ(mail.pop3Servers[1].port, "995");
    EXPECT_EQ(mail.pop3Servers[1].rememberPassword, "1");
}

TEST_F(ClientSettings, TellsAStoredPasswordFromABlankedOne) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;  // the text written as REG_BINARY; nullopt: none
        bool holds;
    };
    const std::vector<Case> cases{
        {"base64 of a password", "ZGVtbw==", true},
        {"base64 without padding", "YWJj", true},  // stored as "YWJj="
        {"blanked by the switcher", "", false},    // stored as the single byte "="
        {"no value", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string key = kMail + "\\POP3\\server";
        reg_.DeleteKey(kMail + "\\POP3", "server");
        reg_.CreateKey(key, Root::CurrentUser);
        if (c.stored) {
            set(key, "Password", *c.stored, REG_BINARY);
        }
        const MailSettings mail = ReadMailSettings(reg_);
        ASSERT_EQ(mail.pop3Servers.size(), 1u);
        EXPECT_EQ(mail.pop3Servers[0].passwordStored, c.holds);
    }
}

TEST_F(ClientSettings, NewsComesFromTheNewsKeys) {
    set(kNews, "Sender Name", "Ann N");
    set(kNews, "Sender EMail", "ann@news.example");
    set(kNews, "DefaultServer", "news.example.com");
    set(kNews, "Last Server", "news.example.com");
    set(kNews, "Last Group", "comp.lang.c");
    set(kNews + "\\news.example.com", "Connection Type", 2, REG_DWORD);
    set(kNews + "\\news.example.com", "RAS Phonebook Entry", "Office");
    set(kMail, "Sender Name", "Ann in mail");
    set(kImn, "Current Profile", "Home");

    const NewsSettings news = ReadNewsSettings(reg_);
    EXPECT_EQ(news.identity.senderName, "Ann N");
    EXPECT_EQ(news.identity.senderEMail, "ann@news.example");
    EXPECT_EQ(news.defaultServer, "news.example.com");
    EXPECT_EQ(news.lastServer, "news.example.com");
    EXPECT_EQ(news.lastGroup, "comp.lang.c");
    EXPECT_EQ(news.currentProfile, "Home");
    ASSERT_EQ(news.servers.size(), 1u);
    EXPECT_EQ(news.servers[0].connectionType, "2");
    EXPECT_EQ(news.servers[0].rasPhonebookEntry, "Office");
}

TEST_F(ClientSettings, AnUnconfiguredClientReadsBlank) {
    const MailSettings mail = ReadMailSettings(reg_);
    EXPECT_EQ(mail.identity.senderName, "");
    EXPECT_EQ(mail.storeRoot, "");
    EXPECT_TRUE(mail.pop3Servers.empty());
    EXPECT_TRUE(ReadNewsSettings(reg_).servers.empty());
}

TEST(SettingsView, ConnectionWords) {
    struct Case {
        std::string type, entry, shown;
    };
    for (const Case& c : std::vector<Case>{{"0", "Office", "LAN"},
                                           {"1", "Office", "manual"},
                                           {"2", "Office", "dial-up: Office"},
                                           {"7", "Office", "dial-up: Office"},
                                           {"2", "", "dial-up: (not set)"},
                                           {"", "Office", "(not set)"}}) {
        EXPECT_EQ(ConnectionText(c.type, c.entry), c.shown) << c.type << "/" << c.entry;
    }
}

// Finds the row with `label` in the section titled `title`, searching nested sections too.
const Row* FindRow(const std::vector<Section>& sections, const std::string& title,
                   const std::string& label) {
    for (const Section& section : sections) {
        if (section.title == title) {
            for (const Row& row : section.rows) {
                if (row.label == label) {
                    return &row;
                }
            }
        }
        if (const Row* nested = FindRow(section.sections, title, label)) {
            return nested;
        }
    }
    return nullptr;
}

TEST(SettingsView, MarksTheDefaultServerAndNeverShowsAPassword) {
    MailSettings mail;
    mail.defaultPop3Server = "POP.example.com";
    mail.pop3Servers = {{"other.example.com", "a", "", "", "0", false},
                        {"pop.example.com", "b", "", "110", "1", true}};
    const auto view = MailView(mail);
    // The key's name and the default's differ in case only: still the same server.
    const Row* stored = FindRow(view, "POP3 server pop.example.com (default)", "Password");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->value, "stored");
    const Row* none = FindRow(view, "POP3 server other.example.com", "Password");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->value, "none");
    EXPECT_EQ(FindRow(view, "POP3 server other.example.com", "Remember password")->value, "no");
    EXPECT_EQ(FindRow(view, "Identity", "Name")->value, kNotSet);
}

TEST(ClientSnapshotTest, AMissingStoreIsToldAndNotCreated) {
    testing::TempDir dir;
    const std::string store = dir.file("nowhere.db");
    const platform::EnvironmentLookup env = [&](const char* name) -> std::optional<std::string> {
        return std::string(name) == "QUORVEL_REGISTRY" ? std::optional(store) : std::nullopt;
    };
    const ClientSnapshot missing = TakeSnapshot(ClientKind::Mail, env);
    EXPECT_NE(missing.error.find(store), std::string::npos) << missing.error;
    EXPECT_TRUE(missing.sections.empty());
    EXPECT_FALSE(std::filesystem::exists(store));

    testing::WriteBytes(store, "garbage, not a store");
    const ClientSnapshot refused = TakeSnapshot(ClientKind::News, env);
    EXPECT_FALSE(refused.error.empty());
    EXPECT_TRUE(refused.sections.empty());
}

}  // namespace
}  // namespace quorvel::standin
