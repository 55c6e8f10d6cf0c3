// quorvel-standin's roles: install, EXPLORER.EXE, and the client that shows its settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "client_settings.h"
#include "explorer_role.h"
#include "install.h"
#include "registry/sqlite/sqlite_hive.h"
#include "settings_view.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::standin {
namespace {

namespace fs = std::filesystem;
using registry::Root;

const std::string kMailId = ".{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsId = ".{89292103-4755-11cf-9DC2-00AA006C2B84}";
const std::string kAppPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
const std::string kImn = "Software\\Microsoft\\Internet Mail and News";
const std::string kMail = kImn + "\\Mail";
const std::string kNews = kImn + "\\News";

std::string ReadText(const std::string& path) {
    const auto bytes = testing::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// quorvel-standin (or a link to it) as its own process, in an environment chosen whole so that
// the store and the Windows directory are the test's and never the user's.
testing::ChildProcess StartStandin(const testing::TempDir& dir, std::vector<std::string> argv,
                                   const testing::Environment& extra = {}) {
    testing::Environment env{{"PATH", "/usr/bin:/bin"},
                             {"HOME", dir.path().string()},
                             {"XDG_RUNTIME_DIR", dir.path().string()},
                             {"QT_QPA_PLATFORM", "offscreen"},
                             {"QUORVEL_REGISTRY", dir.file("registry.db")},
                             {"QUORVEL_WINDIR", dir.file("windows")}};
    env.insert(extra.begin(), extra.end());
    fs::remove(dir.file("stderr"));  // each process's words alone
    return testing::ChildProcess(argv, env, dir.file("stderr"), testing::EnvironmentBase::Empty);
}

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

// A store, a Windows directory and a PATH of the test's own.
class Standin : public ::testing::Test {
  protected:
    int install(bool demo = false) {
        err_.str("");
        const auto env = [this](const char* name) -> std::optional<std::string> {
            return env_.count(name) ? std::optional(env_.at(name)) : std::nullopt;
        };
        std::ostringstream out;
        return RunInstall({demo, QUORVEL_STANDIN_EXE}, env, out, err_);
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
    std::ostringstream err_;
};

TEST_F(Standin, InstallPutsTheStartFilesOnceAndTheDemoOnlyWhereNothingIsThere) {
    const std::string junction = windows_ + "/Internet Mail" + kMailId;
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_GT(fs::file_size(junction), 0u);
    EXPECT_EQ(value(kMail, "Sender Name"), "") << "the client is set up only with --demo";
    // Run again: what is there stays, and an EXPLORER.EXE of another build is replaced.
    const auto written = fs::last_write_time(junction);
    fs::remove(windows_ + "/EXPLORER.EXE");
    fs::create_symlink("/old/build/quorvel-standin", windows_ + "/EXPLORER.EXE");
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_EQ(fs::last_write_time(junction), written);
    EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), QUORVEL_STANDIN_EXE);
    EXPECT_EQ(std::distance(fs::directory_iterator(windows_), fs::directory_iterator()), 3);

    // A help browser is registered while none that works is.
    const std::string fallback = program("sensible-browser");
    ASSERT_EQ(install(), 0);
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
        auto process = StartStandin(dir_, {windows_ + "/EXPLORER.EXE", "/root," + path},
                                    {{"QUORVEL_EXPLORER_LOG", dir_.file("log")},
                                     {"QUORVEL_STANDIN_READY_FILE", ready},
                                     {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"}});
        EXPECT_EQ(process.wait(), *word ? 0 : 1) << ReadText(dir_.file("stderr"));
        EXPECT_EQ(ReadText(ready), *word ? std::to_string(process.pid()) + " " + word + "\n" : "");
        log += "/root," + path + "\n";
    }
    EXPECT_EQ(ReadText(dir_.file("log")), log);  // every call, also one refused
}

TEST_F(Standin, ClientReadsTheClientsOwnKeysNotTheirNamesakes) {
    const std::string pop3 = kMail + "\\POP3\\";
    set(kImn, "Store Root", "/store/ann");
    set(kMail, "Store Root", "/wrong/mail-key");  // the store root is the client's own
    set(kMail, "Sender Name", "Ann");
    set(kNews, "Sender Name", "Ann N");
    set(pop3 + "work.example.com", "Account", "ann.w");
    set(pop3 + "Home.example.com", "Password", "YWJj", registry::REG_BINARY);
    set(pop3 + "old.example.com", "Password", "", registry::REG_BINARY);  // blanked: "="
    set(kMail, "Default POP3 Server", "WORK.example.com");  // marked whatever the case
    registry::SqliteHive hive(store_);
    registry::Registry reg(hive, folders_);
    const MailSettings mail = ReadMailSettings(reg);
    std::string shown = mail.storeRoot + " " + mail.identity.senderName + " " +
                        ReadNewsSettings(reg).identity.senderName;
    for (const Pop3Server& server : mail.pop3Servers) {  // in the registry's order, any case
        shown +=
            " " + server.name + ":" + server.account + (server.passwordStored ? ":stored" : "");
    }
    EXPECT_EQ(shown,
              "/store/ann Ann Ann N Home.example.com::stored old.example.com: "
              "work.example.com:ann.w");
    EXPECT_EQ(MailView(mail)[2].sections.at(2).title, "POP3 server work.example.com (default)");
}

// Whatever the store holds, the running client only reads it, and it closes on SIGTERM.
TEST(ClientProcess, ComesUpWithoutWritingAndClosesOnSigterm) {
    for (const std::string store : {"", "not a registry store"}) {
        testing::TempDir dir;
        const std::string ready = dir.file("ready");
        if (!store.empty()) {
            testing::WriteBytes(dir.file("registry.db"), store);
        }
        auto client = StartStandin(dir, {QUORVEL_STANDIN_EXE, "client", "news"},
                                   {{"QUORVEL_STANDIN_READY_FILE", ready}});
        for (int i = 0; i < 2000 && ReadText(ready).empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_NE(ReadText(ready), "") << ReadText(dir.file("stderr"));
        EXPECT_EQ(client.wait(std::chrono::milliseconds(300)), std::nullopt) << "it waits";
        ASSERT_EQ(::kill(client.pid(), SIGTERM), 0);
        EXPECT_EQ(client.wait(), 0) << ReadText(dir.file("stderr"));
        EXPECT_EQ(ReadText(dir.file("registry.db")), store);
    }
}

}  // namespace
}  // namespace quorvel::standin
