// quorvel-standin's roles: install, EXPLORER.EXE, and the client that shows its settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "install.h"
#include "platform/data_locations.h"
#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::standin {
namespace {

namespace fs = std::filesystem;
using registry::Root;
using testing::ReadText;

const std::string kMailId = ".{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsId = ".{89292103-4755-11cf-9DC2-00AA006C2B84}";
const std::string kAppPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
const std::string kImn = "Software\\Microsoft\\Internet Mail and News";
const std::string kMail = kImn + "\\Mail";

// A store, a Windows directory and a PATH of the test's own.
class Standin : public ::testing::Test {
  protected:
    int install(bool demo = false) {
        err_.str("");
        std::ostringstream out;
        return RunInstall({demo, QUORVEL_STANDIN_EXE}, lookup_, out, err_);
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
    std::string store_ = dir_.file("registry.db");
    std::string windows_ = dir_.file("windows");
    std::map<std::string, std::string> env_{
        {"QUORVEL_REGISTRY", store_}, {"QUORVEL_WINDIR", windows_}, {"PATH", dir_.file("bin")}};
    platform::EnvironmentLookup lookup_ = [this](const char* name) -> std::optional<std::string> {
        return env_.count(name) ? std::optional(env_.at(name)) : std::nullopt;
    };
    platform::EnvironmentSystemFolders folders_{lookup_};
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
    program("xdg-open");
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(value(kAppPath, "", Root::LocalMachine), fallback);

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

// EXPLORER.EXE becomes the client its junction names, under the same process id, and refuses
// anything else; every call is logged, also one refused.
TEST_F(Standin, ExplorerBecomesTheClientOfItsJunctionUnderTheSameProcessId) {
    ASSERT_EQ(install(), 0);
    const std::string work = windows_ + "/Work" + kMailId, home = windows_ + "/My Home" + kNewsId;
    const std::string lower = windows_ + "/M.{89292102-4755-11cf-9dc2-00aa006c2b84}";
    for (const std::string& file : {work, home, lower, work + ".bak", windows_ + "/hosts"}) {
        testing::WriteBytes(file, "junction\n");
    }
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"/root," + work}, "mail"},
        {{"/ROOT," + home}, "news"},
        {{"/root," + lower}, "mail"},
        {{"/root," + windows_ + "/Gone" + kMailId}, ""},
        {{"/root," + work + ".bak"}, ""},
        {{"/root," + windows_ + "/hosts"}, ""},
        {{work}, ""},
        {{"/root," + work, "Home"}, ""},  // split at a blank, it must not pass as its first half
    };
    const std::string ready = dir_.file("ready");
    std::string log;
    for (const auto& [args, word] : cases) {
        fs::remove(ready);
        std::vector<std::string> argv{windows_ + "/EXPLORER.EXE"};
        argv.insert(argv.end(), args.begin(), args.end());
        testing::Environment environment = testing::PrivateEnvironment(dir_.path().string());
        environment["QUORVEL_EXPLORER_LOG"] = dir_.file("log");
        environment["QUORVEL_STANDIN_READY_FILE"] = ready;
        testing::ChildProcess process(argv, environment);
        EXPECT_EQ(process.wait(), word.empty() ? 1 : 0) << args[0];
        EXPECT_EQ(ReadText(ready),
                  word.empty() ? "" : std::to_string(process.pid()) + " " + word + "\n");
        log += args[0] + (args.size() > 1 ? " " + args[1] : "") + "\n";
    }
    EXPECT_EQ(ReadText(dir_.file("log")), log);
}

}  // namespace
}  // namespace quorvel::standin
