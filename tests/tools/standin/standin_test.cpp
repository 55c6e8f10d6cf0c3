// quorvel-standin's roles: install, EXPLORER.EXE, and the client that shows its settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "client_settings.h"
#include "explorer_role.h"
#include "install.h"
#include "registry/sqlite/sqlite_hive.h"
#include "settings_view.h"
#include "standin_process.h"

namespace quorvel::standin {
namespace {

namespace fs = std::filesystem;
using registry::Root;
using testing::ReadText;
using testing::StandinProcess;

const std::string kMailId = ".{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsId = ".{89292103-4755-11cf-9DC2-00AA006C2B84}";
const std::string kAppPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
const std::string kImn = "Software\\Microsoft\\Internet Mail and News";
const std::string kMail = kImn + "\\Mail";
const std::string kNews = kImn + "\\News";

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

// A store, a Windows directory and a PATH of the test's own.
class Standin : public ::testing::Test {
  protected:
    int install(bool demo = false) {
        out_.str("");
        err_.str("");
        const auto env = [this](const char* name) -> std::optional<std::string> {
            return env_.count(name) ? std::optional(env_.at(name)) : std::nullopt;
        };
        return RunInstall({demo, QUORVEL_STANDIN_EXE}, env, out_, err_);
    }
    std::string program(const std::string& name) {
        fs::create_directories(dir_.file("bin"));
        const std::string path = dir_.file("bin/" + name);
        testing::WriteBytes(path, "#!/bin/sh\n");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    // Each opens the store and closes it again, as another process would.
    std::string value(const std::string& key, const std::string& name,
                      Root root = Root::CurrentUser) {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.GetValue(key, name, root);
        return reg.RegValue.text();
    }
    void set(const std::string& key, const std::string& name, const Variant& data,
             std::uint32_t type = registry::REG_SZ) {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.CreateKey(key, Root::CurrentUser);
        ASSERT_EQ(reg.SetValue(key, name, data, type), registry::ERROR_SUCCESS);
    }

    testing::TempDir dir_;
    NoFolders folders_;
    std::string store_ = dir_.file("registry.db");
    std::string windows_ = dir_.file("windows");
    std::map<std::string, std::string> env_{
        {"QUORVEL_REGISTRY", store_}, {"QUORVEL_WINDIR", windows_}, {"PATH", dir_.file("bin")}};
    std::ostringstream out_, err_;
};

TEST_F(Standin, InstallPutsTheStartFilesOnceAndTheDemoOnlyWhereNothingIsThere) {
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_GT(fs::file_size(windows_ + "/Internet Mail" + kMailId), 0u);
    EXPECT_EQ(value(kMail, "Sender Name"), "") << "the client is set up only with --demo";
    // Run again: what is there stays, and an EXPLORER.EXE of another build is replaced.
    const auto written = fs::last_write_time(windows_ + "/Internet Mail" + kMailId);
    fs::remove(windows_ + "/EXPLORER.EXE");
    fs::create_symlink("/old/build/quorvel-standin", windows_ + "/EXPLORER.EXE");
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_EQ(fs::last_write_time(windows_ + "/Internet Mail" + kMailId), written);
    EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), QUORVEL_STANDIN_EXE);
    EXPECT_EQ(std::distance(fs::directory_iterator(windows_), fs::directory_iterator()), 3);

    // A help browser is registered while none that works is.
    const std::string fallback = program("sensible-browser");
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), fallback);
    const std::string preferred = program("xdg-open");
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), fallback);
    fs::remove(fallback);
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), preferred);

    ASSERT_EQ(install(true), 0) << err_.str();
    const std::string pop3 = kMail + "\\POP3\\" + value(kMail, "Default POP3 Server");
    // The password as the client keeps it: the bytes of its base64 text, read back as hex.
    EXPECT_EQ(value(pop3, "Password"), "5A 47 56 74 62 77 3D 3D 3D");
    // With values but no sender the missing ones are added; with a sender nothing is.
    fs::remove(store_);
    set(kMail, "LastFolder", "Drafts");
    ASSERT_EQ(install(true), 0);
    EXPECT_EQ(value(kMail, "LastFolder"), "Drafts");
    EXPECT_NE(value(kMail, "Sender Name"), "");
    fs::remove(store_);
    set(kMail, "Sender Name", "Bob");
    ASSERT_EQ(install(true), 0);
    EXPECT_EQ(value(kMail, "Default POP3 Server"), "");
}

TEST_F(Standin, InstallFailsClearlyBeforeChangingAnything) {
    testing::WriteBytes(store_, "not a database at all");
    EXPECT_EQ(install(true), 1);
    EXPECT_NE(err_.str().find(store_), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(windows_));
    fs::remove(store_);
    env_["QUORVEL_WINDIR"] = program("xdg-open") + "/windows";
    EXPECT_EQ(install(true), 1);
    EXPECT_NE(err_.str().find("Windows directory"), std::string::npos) << err_.str();
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), "");
}

TEST(ExplorerStart, TellsMailFromNewsByTheClassIdentifierOfAnExistingFile) {
    const std::string lower = "/w/M.{89292102-4755-11cf-9dc2-00aa006c2b84}";
    const std::set<std::string> files{"/w/Mail" + kMailId, "/w/J.Doe" + kNewsId, lower,
                                      "/w/Mail" + kMailId + ".bak"};
    const std::pair<std::vector<std::string>, std::optional<ClientKind>> cases[] = {
        {{"/root,/w/Mail" + kMailId}, ClientKind::Mail},
        {{"/root,/w/J.Doe" + kNewsId}, ClientKind::News},
        {{"/ROOT," + lower}, ClientKind::Mail},
        {{"/root,/w/Gone" + kMailId}, std::nullopt},
        {{"/root,/w/Mail" + kMailId + ".bak"}, std::nullopt},
        {{"/w/Mail" + kMailId}, std::nullopt},
        // A path split at a blank by a careless launcher must not pass as its first half.
        {{"/root,/w/Mail" + kMailId, "Home"}, std::nullopt},
    };
    for (const auto& [args, client] : cases) {
        const auto start =
            ResolveExplorerStart(args, [&](auto& path) { return files.count(path); });
        const auto* target = std::get_if<ExplorerTarget>(&start);
        EXPECT_EQ(target ? std::optional(target->client) : std::nullopt, client) << args[0];
        EXPECT_EQ(target ? target->junction : args[0].substr(6), args[0].substr(6));
    }
}

TEST_F(Standin, ExplorerBecomesTheClientUnderTheSameProcessId) {
    ASSERT_EQ(install(), 0);
    const std::string ready = dir_.file("ready");
    std::string log;
    for (const auto& [name, word] :
         {std::pair{"Work" + kMailId, "mail"}, std::pair{"My Home" + kNewsId, "news"},
          std::pair{std::string("hosts"), ""}}) {
        const std::string path = windows_ + "/" + name;
        testing::WriteBytes(path, "junction\n");
        fs::remove(ready);
        StandinProcess process(dir_, windows_ + "/EXPLORER.EXE", {"/root," + path},
                               {{"QUORVEL_EXPLORER_LOG", dir_.file("log")},
                                {"QUORVEL_STANDIN_READY_FILE", ready},
                                {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"}});
        EXPECT_EQ(process.wait(), *word ? 0 : 1) << process.err();
        EXPECT_EQ(ReadText(ready), *word ? std::to_string(process.pid()) + " " + word + "\n" : "");
        log += "/root," + path + "\n";
    }
    EXPECT_EQ(ReadText(dir_.file("log")), log);  // every call, also one refused
}

TEST_F(Standin, ClientReadsTheClientsOwnKeys) {
    const std::string pop3 = kMail + "\\POP3\\";
    set(kImn, "Store Root", "/store/ann");
    set("Software\\Microsoft\\WAB\\Wab File Name", "", "/books/ann.wab");
    set(kMail, "Sender Name", "Ann");
    set(kMail, "Connection Type", 2, registry::REG_DWORD);
    // Decoys: the store lives in the client's key itself, news has an identity of its own.
    set(kMail, "Store Root", "/wrong/mail-key");
    set(kNews, "Sender Name", "Ann N");
    set(pop3 + "work.example.com", "Account", "ann.w");
    set(pop3 + "work.example.com", "Port", 995, registry::REG_DWORD);
    set(pop3 + "Home.example.com", "Password", "YWJj", registry::REG_BINARY);
    set(pop3 + "old.example.com", "Password", "", registry::REG_BINARY);  // blanked: "="
    set(kNews, "Last Group", "comp.lang.c");
    set(kNews + "\\news.example.com", "Connection Type", 2, registry::REG_DWORD);

    set(kMail, "Default POP3 Server", "WORK.example.com");  // marked whatever the case

    registry::SqliteHive hive(store_);
    registry::Registry reg(hive, folders_);
    const MailSettings mail = ReadMailSettings(reg);
    EXPECT_EQ(mail.storeRoot + " " + mail.addressBook + " " + mail.identity.senderName + " " +
                  mail.connectionType,
              "/store/ann /books/ann.wab Ann 2");
    std::string servers;  // enumerated as the registry does, without regard to case
    for (const Pop3Server& server : mail.pop3Servers) {
        servers += server.name + ":" + server.account + ":" + server.port +
                   (server.passwordStored ? ":stored " : " ");
    }
    EXPECT_EQ(servers, "Home.example.com:::stored old.example.com:: work.example.com:ann.w:995 ");
    EXPECT_EQ(MailView(mail)[2].sections.at(2).title, "POP3 server work.example.com (default)");
    const NewsSettings news = ReadNewsSettings(reg);
    EXPECT_EQ(
        news.identity.senderName + " " + news.lastGroup + " " + news.servers.at(0).connectionType,
        "Ann N comp.lang.c 2");
}

// Whatever the store holds, the running client only reads it, and it closes on SIGTERM.
TEST(ClientProcess, ComesUpWithoutWritingAndClosesOnSigterm) {
    for (const std::string store : {"", "not a registry store"}) {
        testing::TempDir dir;
        const std::string ready = dir.file("ready");
        if (!store.empty()) {
            testing::WriteBytes(dir.file("registry.db"), store);
        }
        StandinProcess client(dir, QUORVEL_STANDIN_EXE, {"client", "news"},
                              {{"QUORVEL_STANDIN_READY_FILE", ready}});
        ASSERT_TRUE(testing::Await([&] { return !ReadText(ready).empty(); })) << client.err();
        EXPECT_EQ(client.wait(std::chrono::milliseconds(300)), std::nullopt) << "it waits";
        ASSERT_EQ(::kill(client.pid(), SIGTERM), 0);
        EXPECT_EQ(client.wait(), 0) << client.err();
        EXPECT_EQ(ReadText(dir.file("registry.db")), store);
    }
}

}  // namespace
}  // namespace quorvel::standin
