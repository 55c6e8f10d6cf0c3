// Profiles whose names a crafted store makes hostile: path parts, blanks, shell syntax, Qt's
// options, a name longer than any file name. Switching to them and starting the client, in the
// program and as the `quorvel NAME/m` process, may write nothing outside the Windows directory, run
// no shell and crash nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <sstream>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/system_services.h"
#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/child_process.h"
#include "support/scripted_prompts.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::vector<std::uint8_t>>;

struct Hostile {
    std::string name;
    bool startable;    // the client can be started for it
    bool commandLine;  // `quorvel NAME/m` reaches it: no "/" ends it early, no ";" splits it
};

const std::vector<Hostile> kNames = {
    {"../../x", false, false},
    {"x/../../../escaped", false, false},  // would leave the Windows directory through "Mail---x"
    {"a b", true, true},
    {"\"; rm -rf ~\"", true, false},
    {"$(touch shell-ran)", true, true},
    {"`touch backquotes-ran`", true, true},
    {std::string(300, 'n'), false, false},  // no file name is that long
    // Names that Qt would take for its own options if it saw the arguments.
    {"-reverse", true, true},
    {"-style Fusion", true, true},
};

class NoWindows final : public app::ProgramWindows {
  public:
    void OpenTray() override {}
    void OpenAfterFirstProfile() override {}
};

class HostileNames : public ::testing::Test {
  protected:
    TempDir dir;
    fs::path sandbox = dir.path();
    std::string winDir = (sandbox / "a" / "b" / "windows").string();
    std::string store = (sandbox / "registry.db").string();
    std::string log = (sandbox / "explorer.log").string();
    fs::path cwd = fs::current_path();
    std::map<std::string, std::string> environment;
    std::size_t started = 0;  // the Explorer's calls so far

    void SetUp() override {
        fs::create_directories(sandbox / "home");
        WriteBytes((sandbox / "home" / "keep").string(), "kept");
        environment = PrivateEnvironment(sandbox.string());
        environment["QUORVEL_WINDIR"] = winDir;
        environment["HOME"] = (sandbox / "home").string();
        // The program's own children (the Explorer and whatever it might hand a name to) see
        // this process's environment and folder.
        for (const auto& [name, value] : environment) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
        fs::current_path(sandbox);
        ASSERT_EQ(RunProgram({QUORVEL_STANDIN_EXE, "install"}, environment), 0);
        fs::create_directory(fs::path(winDir) / "Mail---x");

        registry::SqliteHive hive(store);
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        // The client is installed: its keys are there.
        reg.CreateKey(std::string(settings::kImnKey) + "\\Mail", registry::Root::CurrentUser);
        std::string list;
        for (const Hostile& hostile : kNames) {
            const std::string key = std::string(settings::kProfilesKey) + "\\" + hostile.name;
            reg.CreateKey(key + "\\Mail", registry::Root::CurrentUser);
            reg.SetValue(key + "\\Mail", "Sender Name", Variant("sender " + hostile.name),
                         registry::REG_SZ);
            list += hostile.name + ";";
        }
        reg.CreateKey(settings::kAppKey, registry::Root::CurrentUser);
        reg.SetValue(settings::kAppKey, "Profile List", Variant(list + "|"), registry::REG_SZ);
        reg.SetValue(settings::kAppKey, "version40", Variant("Yes"), registry::REG_SZ);
    }
    void TearDown() override { fs::current_path(cwd); }

    // Every file outside the Windows directory with its contents, but for the store's own files
    // and the Explorer's log.
    Files outside() const {
        Files files;
        for (const auto& entry : fs::recursive_directory_iterator(sandbox)) {
            const std::string path = entry.path().string();
            if (entry.is_regular_file() && !path.starts_with(winDir + "/") &&
                !path.starts_with(store) && path != log) {
                files[path] = ReadBytes(path);
            }
        }
        return files;
    }
    // After the switch to `hostile` and the client's start, which went as `before` was taken:
    // the client holds the profile, the Explorer was handed the client's copy whole, and no file
    // outside the Windows directory changed nor did a shell run.
    void expectContained(const Hostile& hostile, const Files& before) {
        registry::SqliteHive hive(store);
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        reg.GetValue(settings::kImnKey, "Current Profile");
        EXPECT_EQ(reg.RegValue, Variant(hostile.name));
        if (hostile.startable) {
            const std::vector<std::string> calls = WaitForLines(log, started + 1);
            ASSERT_EQ(calls.size(), ++started);
            EXPECT_EQ(calls.back(), "/root," + winDir + "/Mail---" + hostile.name +
                                        std::string(app::kMailClassId));
        }
        EXPECT_EQ(outside(), before) << "a file outside the Windows directory changed";
        EXPECT_FALSE(fs::exists(sandbox / "shell-ran") || fs::exists(sandbox / "backquotes-ran"));
    }
};

TEST_F(HostileNames, SwitchAndStartInTheProgramStayInTheWindowsDirectory) {
    // The program's own services, over the store and Windows directory the environment names.
    const platform::SystemServices system = platform::MakeSystemServices();
    settings::NoEventPump events;
    ScriptedPrompts prompts;
    app::Program program(*system.hive, system.ForProgram(events, prompts));
    NoWindows windows;
    ASSERT_EQ(program.Main("", windows), app::Course::NormalStart);
    ASSERT_EQ(program.store.WinDir, winDir);
    for (const Hostile& hostile : kNames) {
        SCOPED_TRACE(hostile.name);
        const auto before = outside();
        prompts.shown.clear();
        // As a choice in the tray's menu does: switch, then start Internet Mail.
        program.context.CurrentProfile = hostile.name;
        program.launcher.LaunchFromCommandLine(app::kLaunchMail);
        program.launcher.MailTask = 0;
        if (hostile.startable) {
            EXPECT_TRUE(prompts.shown.empty()) << prompts.texts().front();
        } else {
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_NE(prompts.shown[0].text.find("cannot be started"), std::string::npos);
        }
        expectContained(hostile, before);
    }
}

TEST_F(HostileNames, TheCommandLineRoadStaysInTheWindowsDirectory) {
    for (const Hostile& hostile : kNames) {
        if (hostile.commandLine) {  // the others are seen in the program above
            SCOPED_TRACE(hostile.name);
            const auto before = outside();
            // Unquoted, as a shell passes it: the program joins the words again.
            std::vector<std::string> command{QUORVEL_EXE};
            std::istringstream words(hostile.name + "/m");
            command.insert(command.end(), std::istream_iterator<std::string>(words), {});
            ASSERT_EQ(RunProgram(command, environment, "", std::chrono::seconds(20)), 0);
            expectContained(hostile, before);
        }
    }
}

}  // namespace
}  // namespace quorvel::testing
