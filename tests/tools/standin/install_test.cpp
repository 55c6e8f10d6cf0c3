// quorvel-standin install [--demo], run again and again on the same machine.
#include "install.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "support/temp_dir.h"

namespace quorvel::standin {
namespace {

namespace fs = std::filesystem;
using registry::Root;

const std::string kMailJunction = "Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsJunction = "Internet News.{89292103-4755-11cf-9DC2-00AA006C2B84}";
const std::string kAppPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
const std::string kImn = "Software\\Microsoft\\Internet Mail and News";
const std::string kMail = kImn + "\\Mail";

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

class Install : public ::testing::Test {
  protected:
    int install(bool demo = false) {
        out_.str("");
        err_.str("");
        return RunInstall(
            {demo, QUORVEL_STANDIN_EXE},
            [this](const char* name) -> std::optional<std::string> {
                const auto found = env_.find(name);
                return found == env_.end() ? std::nullopt : std::optional(found->second);
            },
            out_, err_);
    }

    // An executable stand-in for a browser; returns its path.
    std::string program(const std::string& folder, const std::string& name) {
        fs::create_directories(dir_.file(folder));
        const std::string path = dir_.file(folder) + "/" + name;
        testing::WriteBytes(path, "#!/bin/sh\n");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    std::string value(const std::string& key, const std::string& name,
                      Root root = Root::CurrentUser) {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.GetValue(key, name, root);
        return reg.RegValue.text();
    }

    void set(const std::string& key, const std::string& name, const std::string& text,
             Root root = Root::CurrentUser) {
        registry::SqliteHive hive(store_);
        registry::Registry reg(hive, folders_);
        reg.CreateKey(key, root);
        reg.SetValue(key, name, text, registry::REG_SZ, root);
    }

    testing::TempDir dir_;
    NoFolders folders_;
    std::string store_ = dir_.file("registry.db");
    std::string windows_ = dir_.file("windows");
    std::map<std::string, std::string> env_{
        {"QUORVEL_REGISTRY", store_}, {"QUORVEL_WINDIR", windows_}, {"PATH", dir_.file("bin")}};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(Install, PutsTheStartFilesThereAndRunsAgainWithoutChangingThem) {
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_GT(fs::file_size(windows_ + "/" + kMailJunction), 0u);
    EXPECT_GT(fs::file_size(windows_ + "/" + kNewsJunction), 0u);
    EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), QUORVEL_STANDIN_EXE);
    EXPECT_EQ(value(kMail, "Sender Name"), "") << "the client is set up only with --demo";

    const auto written = fs::last_write_time(windows_ + "/" + kMailJunction);
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_EQ(fs::last_write_time(windows_ + "/" + kMailJunction), written);
    EXPECT_NE(out_.str().find("already"), std::string::npos) << out_.str();

    // An EXPLORER.EXE left by another build is replaced, with nothing left behind.
    fs::remove(windows_ + "/EXPLORER.EXE");
    fs::create_symlink("/old/build/quorvel-standin", windows_ + "/EXPLORER.EXE");
    ASSERT_EQ(install(), 0) << err_.str();
    EXPECT_EQ(fs::read_symlink(windows_ + "/EXPLORER.EXE"), QUORVEL_STANDIN_EXE);
    EXPECT_EQ(std::distance(fs::directory_iterator(windows_), fs::directory_iterator()), 3);
}

TEST_F(Install, RegistersTheHelpBrowserUnlessAWorkingOneIsThere) {
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), "");
    EXPECT_NE(out_.str().find("none registered"), std::string::npos) << out_.str();

    const std::string fallback = program("bin", "sensible-browser");
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), fallback);

    // A registered browser that still works is the user's choice and stays; a gone one does not.
    const std::string preferred = program("bin", "xdg-open");
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), fallback);
    fs::remove(fallback);
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), preferred);
}

TEST_F(Install, DemoSetsUpTheClientOnlyWhereNothingIsThere) {
    ASSERT_EQ(install(true), 0) << err_.str();
    const std::string server = value(kMail, "Default POP3 Server");
    ASSERT_NE(server, "");
    // The password as the client keeps it: the bytes of its base64 text, read back as hex.
    EXPECT_EQ(value(kMail + "\\POP3\\" + server, "Password"), "5A 47 56 74 62 77 3D 3D 3D");
    EXPECT_EQ(value(kMail + "\\POP3\\" + server, "RememberPassword"), "1");
    EXPECT_EQ(value(kImn, "Current Profile"), "") << "that marker is the switcher's own";

    // A client with a sender is set up: nothing is added.
    fs::remove(store_);
    set(kMail, "Sender Name", "Bob");
    ASSERT_EQ(install(true), 0);
    EXPECT_EQ(value(kMail, "Sender Name"), "Bob");
    EXPECT_EQ(value(kMail, "Default POP3 Server"), "");

    // Values but no sender: the missing ones are added, the others kept.
    fs::remove(store_);
    set(kMail, "LastFolder", "Drafts");
    ASSERT_EQ(install(true), 0);
    EXPECT_EQ(value(kMail, "LastFolder"), "Drafts");
    EXPECT_NE(value(kMail, "Sender Name"), "");
}

TEST_F(Install, FailsClearlyBeforeChangingAnything) {
    testing::WriteBytes(store_, "not a database at all");
    EXPECT_EQ(install(true), 1);
    EXPECT_NE(err_.str().find(store_), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(windows_));

    fs::remove(store_);
    program("bin", "xdg-open");
    env_["QUORVEL_WINDIR"] = dir_.file("bin/xdg-open") + "/windows";
    EXPECT_EQ(install(true), 1);
    EXPECT_NE(err_.str().find("Windows directory"), std::string::npos) << err_.str();
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), "");
    EXPECT_EQ(value(kMail, "Sender Name"), "");
}

}  // namespace
}  // namespace quorvel::standin
