// quorvel-standin install [--demo]: the Windows directory, the help browser and the sample
// client setup, run again and again on the same machine.
#include "install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "support/temp_dir.h"

namespace quorvel::standin {
namespace {

namespace fs = std::filesystem;
using registry::Root;
using testing::TempDir;

const std::string kMailJunction = "Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsJunction = "Internet News.{89292103-4755-11cf-9DC2-00AA006C2B84}";
const std::string kAppPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
const std::string kImn = "Software\\Microsoft\\Internet Mail and News";

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

class Install : public ::testing::Test {
  protected:
    struct Run {
        int status;
        std::string out;
        std::string err;
    };

    Run install(bool demo = false) {
        const platform::EnvironmentLookup environment =
            [this](const char* name) -> std::optional<std::string> {
            const auto found = env_.find(name);
            return found == env_.end() ? std::nullopt : std::optional(found->second);
        };
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunInstall({demo, self_}, environment, out, err);
        return {status, out.str(), err.str()};
    }

    // A fake browser in a folder of its own; returns its path.
    std::string browser(const std::string& folder, const std::string& name) {
        const std::string dir = dir_.file(folder);
        fs::create_directories(dir);
        const std::string path = dir + "/" + name;
        testing::WriteBytes(path, "#!/bin/sh\n");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    // One value of the store as the registry layer reads it; "" when missing.
    std::string value(const std::string& key, const std::string& name,
                      Root root = Root::CurrentUser) {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.GetValue(key, name, root);
        return reg.RegValue.text();
    }

    // The bytes of a value exactly as stored.
    std::string rawValue(const std::string& key, const std::string& name) {
        registry::SqliteHive hive(store_);
        const auto open = hive.openKey(Root::CurrentUser, key);
        if (!open) {
            return "<no key>";
        }
        std::vector<std::uint8_t> data(256);
        std::uint32_t type = 0;
        std::uint32_t size = static_cast<std::uint32_t>(data.size());
        if (open->queryValue(name, type, data, size) != registry::ERROR_SUCCESS) {
            return "<no value>";
        }
        return std::string(data.begin(), data.begin() + size);
    }

    void seed(const std::string& key, const std::string& name, const std::string& text) {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.CreateKey(key, Root::CurrentUser);
        reg.SetValue(key, name, text, registry::REG_SZ);
    }

    TempDir dir_;
    NoFolders folders_;
    std::string store_ = dir_.file("registry.db");
    std::string windows_ = dir_.file("windows");
    std::string self_ = QUORVEL_STANDIN_EXE;
    std::map<std::string, std::string> env_{{"QUORVEL_REGISTRY", store_},
                                            {"QUORVEL_WINDIR", windows_},
                                            {"PATH", dir_.file("nothing-here")}};
};

TEST_F(Install, PutsTheStartFilesIntoTheWindowsDirectory) {
    const Run run = install();
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_regular_file(windows_ + "/" + kMailJunction));
    EXPECT_TRUE(fs::is_regular_file(windows_ + "/" + kNewsJunction));
    EXPECT_GT(fs::file_size(windows_ + "/" + kMailJunction), 0u);
    ASSERT_TRUE(fs::is_symlink(windows_ + "/EXPLORER.EXE"));
    EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), self_);
    // Nothing of the client is written without --demo.
    EXPECT_EQ(value(kImn + "\\Mail", "Sender Name"), "");
}

TEST_F(Install, RunsAgainWithoutChangingAnything) {
    env_["PATH"] = fs::path(browser("bin", "xdg-open")).parent_path().string();
    ASSERT_EQ(install(true).status, 0);
    const auto junctionTime = fs::last_write_time(windows_ + "/" + kMailJunction);
    const auto storeBefore = testing::ReadBytes(store_);

    const Run again = install(true);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(fs::last_write_time(windows_ + "/" + kMailJunction), junctionTime);
    EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), self_);
    EXPECT_EQ(testing::ReadBytes(store_), storeBefore);
    EXPECT_NE(again.out.find("already"), std::string::npos) << again.out;
}

TEST_F(Install, ReplacesAnExplorerThatIsNotThisProgram) {
    for (const bool asLink : {true, false}) {
        SCOPED_TRACE(asLink ? "stale link" : "plain file");
        fs::create_directories(windows_);
        fs::remove(windows_ + "/EXPLORER.EXE");
        if (asLink) {
            fs::create_symlink("/old/build/bin/quorvel-standin", windows_ + "/EXPLORER.EXE");
        } else {
            testing::WriteBytes(windows_ + "/EXPLORER.EXE", "MZ");
        }
        ASSERT_EQ(install().status, 0);
        EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), self_);
        // No leftovers of the replacement.
        EXPECT_EQ(std::distance(fs::directory_iterator(windows_), fs::directory_iterator()), 3);
    }
}

TEST_F(Install, KeepsJunctionFilesThatAreThere) {
    fs::create_directories(windows_);
    testing::WriteBytes(windows_ + "/" + kMailJunction, "the client's own");
    ASSERT_EQ(install().status, 0);
    const auto bytes = testing::ReadBytes(windows_ + "/" + kMailJunction);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "the client's own");
}

TEST_F(Install, RegistersTheFirstBrowserFound) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> installed;  // folder, program
        std::string expected;                                        // folder/program or ""
    };
    const std::vector<Case> cases{
        {"xdg-open", {{"a", "xdg-open"}}, "a/xdg-open"},
        {"sensible-browser", {{"a", "sensible-browser"}}, "a/sensible-browser"},
        {"xdg-open preferred", {{"a", "sensible-browser"}, {"b", "xdg-open"}}, "b/xdg-open"},
        {"earlier folder first", {{"a", "xdg-open"}, {"b", "xdg-open"}}, "a/xdg-open"},
        {"none", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(store_);
        fs::remove_all(dir_.file("a"));
        fs::remove_all(dir_.file("b"));
        for (const auto& [folder, program] : c.installed) {
            browser(folder, program);
        }
        env_["PATH"] = dir_.file("a") + "::" + dir_.file("b");
        const Run run = install();
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string expected = c.expected.empty() ? "" : dir_.file(c.expected);
        EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), expected);
        if (c.expected.empty()) {
            EXPECT_NE(run.out.find("none registered"), std::string::npos) << run.out;
        }
    }
}

TEST_F(Install, KeepsARegisteredBrowserUnlessItIsGone) {
    const std::string mine = browser("mine", "firefox");
    const std::string found = browser("bin", "xdg-open");
    env_["PATH"] = dir_.file("bin");
    {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.CreateKey(kAppPath, Root::LocalMachine);
        reg.SetValue(kAppPath, "", mine, registry::REG_SZ, Root::LocalMachine);
    }
    ASSERT_EQ(install().status, 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), mine);

    fs::remove(mine);
    ASSERT_EQ(install().status, 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), found);
}

TEST_F(Install, DemoWritesASampleClientSetup) {
    const Run run = install(true);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string mail = kImn + "\\Mail";
    const std::string server = value(mail, "Default POP3 Server");
    ASSERT_FALSE(server.empty());
    EXPECT_FALSE(value(mail, "Sender Name").empty());
    EXPECT_FALSE(value(kImn, "Store Root").empty());
    EXPECT_FALSE(value("Software\\Microsoft\\WAB\\Wab File Name", "").empty());
    EXPECT_FALSE(value(kImn + "\\News", "DefaultServer").empty());
    // The account the default server names is there, with its password as the client keeps
    // it: the bytes of its base64 text.
    const std::string pop3 = mail + "\\POP3\\" + server;
    EXPECT_FALSE(value(pop3, "Account").empty());
    EXPECT_EQ(rawValue(pop3, "Password"), "ZGVtbw==");
    EXPECT_EQ(value(pop3, "RememberPassword"), "1");
    EXPECT_EQ(value(kImn, "Current Profile"), "") << "that marker is the switcher's own";
}

TEST_F(Install, DemoNeverOverwritesTheClientsSettings) {
    const std::string mail = kImn + "\\Mail";
    // Set up already: nothing is added.
    seed(mail, "Sender Name", "Bob");
    ASSERT_EQ(install(true).status, 0);
    EXPECT_EQ(value(mail, "Sender Name"), "Bob");
    EXPECT_EQ(value(mail, "Default POP3 Server"), "");
    EXPECT_EQ(value(kImn + "\\News", "DefaultServer"), "");

    // Values without a sender: the missing ones are added, the present ones kept.
    fs::remove(store_);
    seed(mail, "LastFolder", "Drafts");
    seed(kImn + "\\News", "Last Group", "alt.test");
    const Run run = install(true);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(value(mail, "LastFolder"), "Drafts");
    EXPECT_EQ(value(kImn + "\\News", "Last Group"), "alt.test");
    EXPECT_FALSE(value(mail, "Sender Name").empty());
    EXPECT_NE(run.out.find("2 existing values kept"), std::string::npos) << run.out;
}

TEST_F(Install, FailsClearlyAndChangesNothing) {
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        const char* message;
    };
    const std::vector<Case> cases{
        {"store is not a store", [&] { testing::WriteBytes(store_, "not a database at all"); },
         "registry.db"},
        {"windows directory cannot be made",
         [&] {
             testing::WriteBytes(dir_.file("file"), "x");
             env_["QUORVEL_WINDIR"] = dir_.file("file") + "/windows";
         },
         "Windows directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(store_);
        env_["QUORVEL_WINDIR"] = windows_;
        c.breakIt();
        const auto storeBefore = testing::ReadBytes(store_);
        const Run run = install(true);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(windows_ + "/" + kMailJunction));
        if (!storeBefore.empty()) {
            EXPECT_EQ(testing::ReadBytes(store_), storeBefore);
        } else {
            EXPECT_EQ(value(kImn + "\\Mail", "Sender Name"), "");
        }
    }
}

}  // namespace
}  // namespace quorvel::standin
