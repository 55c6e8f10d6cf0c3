// Profiles whose names a crafted store makes hostile: path parts, blanks, shell syntax, a name
// longer than any file name. Switching to them and starting the client, in the program and as the
// `quorvel NAME/m` process, may write nothing outside the Windows directory, run no shell and
// crash nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

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

struct Hostile {
    std::string name;
    bool startable;    // the client can be started for it
    bool commandLine;  // `quorvel NAME/m` reaches it: no "/" ends it early, no ";" splits it
};

const std::vector<Hostile> kNames = {
    {"../../x", false, false},
    {"x/../../../escaped", false, false},  // would leave the Windows directory through "Mail---x"
    {"a b", true, true},
    {"$(id)", true, true},
    {"\"; rm -rf ~\"", true, false},
    {"$(touch shell-ran)", true, true},
    {"`touch backquotes-ran`", true, true},
    {std::string(300, 'n'), false, false},  // no file name is that long
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
    fs::path home = sandbox / "home";
    fs::path cwd = fs::current_path();
    std::map<std::string, std::string> environment;

    void SetUp() override {
        fs::create_directories(home);
        std::ofstream(home / "keep") << "kept";
        environment = {{"QUORVEL_REGISTRY", store},      {"QUORVEL_WINDIR", winDir},
                       {"QUORVEL_EXPLORER_LOG", log},    {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"},
                       {"QT_QPA_PLATFORM", "offscreen"}, {"HOME", home.string()}};
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
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            const std::string key = std::string(settings::kProfilesKey) + "\\" + kNames[i].name;
            reg.CreateKey(key + "\\Mail", registry::Root::CurrentUser);
            reg.SetValue(key + "\\Mail", "Sender Name", Variant("sender " + std::to_string(i)),
                         registry::REG_SZ);
            list += kNames[i].name + ";";
        }
        reg.CreateKey(settings::kAppKey, registry::Root::CurrentUser);
        reg.SetValue(settings::kAppKey, "Profile List", Variant(list + "|"), registry::REG_SZ);
        reg.SetValue(settings::kAppKey, "version40", Variant("Yes"), registry::REG_SZ);
    }
    void TearDown() override { fs::current_path(cwd); }

    // Every file outside the Windows directory with its contents, but for the store's own files
    // and the Explorer's log.
    std::map<std::string, std::string> outside() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(sandbox)) {
            const std::string path = entry.path().string();
            if (!entry.is_regular_file() || path.starts_with(winDir + "/") ||
                path.starts_with(store) || path == log) {
                continue;
            }
            files[path] = ReadText(path);
        }
        return files;
    }
    static std::string ReadText(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // The Explorer's log once it holds `lines` lines, or as it is after ten seconds.
    std::vector<std::string> explorerCalls(std::size_t lines) const {
        std::vector<std::string> calls;
        for (int i = 0; i < 200; ++i) {
            calls.clear();
            std::ifstream file(log);
            for (std::string line; std::getline(file, line);) {
                calls.push_back(line);
            }
            if (calls.size() >= lines) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return calls;
    }
    Variant clientValue(const std::string& key, const std::string& name) {
        registry::SqliteHive hive(store);
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        reg.GetValue(key, name);
        return reg.RegValue;
    }
    std::string copyOf(const std::string& name) const {
        return winDir + "/Mail---" + name + std::string(app::kMailClassId);
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

    std::size_t started = 0;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const Hostile& hostile = kNames[i];
        SCOPED_TRACE(hostile.name);
        const auto before = outside();
        prompts.shown.clear();
        // As a choice in the tray's menu does: switch, then start Internet Mail.
        program.context.CurrentProfile = hostile.name;
        program.launcher.LaunchFromCommandLine(app::kLaunchMail);

        EXPECT_EQ(clientValue(std::string(settings::kImnKey), "Current Profile"),
                  Variant(hostile.name));
        if (hostile.startable) {
            EXPECT_TRUE(prompts.shown.empty()) << prompts.texts().front();
            const auto calls = explorerCalls(++started);
            ASSERT_EQ(calls.size(), started);
            EXPECT_EQ(calls.back(), "/root," + copyOf(hostile.name)) << "passed on whole";
        } else {
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_NE(prompts.shown[0].text.find("cannot be started"), std::string::npos);
        }
        EXPECT_EQ(outside(), before) << "a file outside the Windows directory changed";
        EXPECT_FALSE(fs::exists(sandbox / "shell-ran") || fs::exists(sandbox / "backquotes-ran"));
        EXPECT_TRUE(fs::exists(home / "keep"));
        program.launcher.MailTask = 0;
    }
}

TEST_F(HostileNames, TheCommandLineRoadStaysInTheWindowsDirectory) {
    std::size_t started = 0;
    for (const Hostile& hostile : kNames) {
        if (!hostile.startable || !hostile.commandLine) {
            continue;  // seen in the program above
        }
        SCOPED_TRACE(hostile.name);
        const auto before = outside();
        ASSERT_EQ(RunProgram({QUORVEL_EXE, hostile.name + "/m"}, environment, "",
                             std::chrono::seconds(20)),
                  0);
        EXPECT_EQ(clientValue(std::string(settings::kImnKey), "Current Profile"),
                  Variant(hostile.name));
        const auto calls = explorerCalls(++started);
        ASSERT_EQ(calls.size(), started);
        EXPECT_EQ(calls.back(), "/root," + copyOf(hostile.name));
        EXPECT_EQ(outside(), before);
        EXPECT_FALSE(fs::exists(sandbox / "shell-ran") || fs::exists(sandbox / "backquotes-ran"));
        EXPECT_TRUE(fs::exists(home / "keep"));
    }
}

}  // namespace
}  // namespace quorvel::testing
