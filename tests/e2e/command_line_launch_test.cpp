// The executables as a user runs them: `quorvel work/m` switches the client to the profile,
// starts Internet Mail through the Explorer and ends by itself; a signal ends a running one.
#include <gtest/gtest.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <thread>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/child_process.h"

namespace quorvel::testing {
namespace {

// A store, a Windows directory and the stand-in's log of one test's own, in `dir`.
Environment DeskEnvironment(const TempDir& dir) {
    return {
        {"QUORVEL_REGISTRY", dir.file("registry.db")},
        {"QUORVEL_WINDIR", dir.file("windows")},
        {"QUORVEL_EXPLORER_LOG", dir.file("explorer.log")},
        {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"},
        {"QT_QPA_PLATFORM", "offscreen"},
    };
}

TEST(CommandLineLaunch, SwitchesStartsMailAndEndsWhateverTheProfileIsCalled) {
    const std::string imn(settings::kImnKey);
    // Names that Qt would take for its own options if it saw the arguments.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"work/m"}, "Work"},
        {{"-reverse", "/m"}, "-reverse"},
        {{"-style", "Fusion/m"}, "-style Fusion"},
    };
    for (const auto& [arguments, profile] : cases) {
        TempDir dir;
        const Environment environment = DeskEnvironment(dir);
        const std::string key = "[HKEY_CURRENT_USER\\Software\\Quorvel!";
        std::ofstream(dir.file("sample.reg"))
            << "REGEDIT4\n\n"
            << key << "]\n\"Profile List\"=\"Home;" << profile << ";|\"\n"
            << key << "\\Profiles\\" << profile << "\\Mail]\n\"Sender Name\"=\"Ann at work\"\n"
            << "\"Default Account Profile\"=\"office\"\n"
            << key << "\\Profiles\\" << profile << "\\Mail\\office]\n"
            << "\"Default POP3 Server\"=\"pop.work.example\"\n\"Account\"=\"ann\"\n"
            << "[HKEY_CURRENT_USER\\" << imn << "\\Mail]\n\"Sender Name\"=\"Ann at home\"\n";
        ASSERT_EQ(RunProgram({QUORVEL_STANDIN_EXE, "install"}, environment), 0);
        ASSERT_EQ(RunProgram({QUORVEL_REG_EXE, "import", dir.file("sample.reg")}, environment), 0);

        std::vector<std::string> command{QUORVEL_EXE};
        command.insert(command.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(RunProgram(command, environment), 0) << profile;
        const std::string copy =
            dir.file("windows/Mail---" + profile + ".{89292102-4755-11cf-9DC2-00AA006C2B84}");
        EXPECT_TRUE(std::filesystem::exists(copy)) << profile;
        // The Explorer runs on after the program has ended; give it a moment to write its log.
        std::string line;
        for (int i = 0; i < 200 && line.empty(); ++i) {
            std::ifstream file(dir.file("explorer.log"));
            std::getline(file, line);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_EQ(line, "/root," + copy);
        registry::SqliteHive hive(dir.file("registry.db"));
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        reg.GetValue(imn, "Current Profile");
        EXPECT_EQ(reg.RegValue, Variant(profile));
        reg.GetValue(imn + "\\Mail", "Sender Name");
        EXPECT_EQ(reg.RegValue, Variant("Ann at work"));
        reg.GetValue(imn + "\\Mail\\POP3\\pop.work.example", "Account");
        EXPECT_EQ(reg.RegValue, Variant("ann"));
    }
}

// A running program ended by the session or the terminal still runs its exit routine, which
// blanks the client of a protected profile.
TEST(RunningProgram, EachSignalRunsTheExitRoutine) {
    const std::string imn(settings::kImnKey);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        TempDir dir;
        const Environment environment = DeskEnvironment(dir);
        std::ofstream(dir.file("secure.reg"))
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quorvel!]\n\"version40\"=\"Yes\"\n"
            << "\"Profile List\"=\"Work;|\"\n"
            << "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\Work]\n"
            << "\"Secure Profile\"=dword:00000001\n[HKEY_CURRENT_USER\\" << imn << "]\n"
            << "\"Current Profile\"=\"Work\"\n\"Store Root\"=\"/home/ann/mail\"\n";
        ASSERT_EQ(RunProgram({QUORVEL_REG_EXE, "import", dir.file("secure.reg")}, environment), 0);
        ChildProcess program({QUORVEL_EXE}, environment);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // up and in its loop
        ::kill(program.pid(), signal);
        EXPECT_EQ(program.wait(), 0) << signal;
        registry::SqliteHive hive(dir.file("registry.db"));
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        reg.GetValue(imn, "Store Root");
        EXPECT_EQ(reg.RegValue, Variant("c:\\unsecure")) << signal;
    }
}

}  // namespace
}  // namespace quorvel::testing
