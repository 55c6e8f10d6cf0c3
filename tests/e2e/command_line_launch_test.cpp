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

// A value of the store file in `dir`, as the program reads it.
Variant Stored(const TempDir& dir, const std::string& key, const std::string& name) {
    registry::SqliteHive hive(dir.file("registry.db"));
    FixedFolders folders;
    registry::Registry reg(hive, folders);
    reg.GetValue(key, name);
    return reg.RegValue;
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
        const Environment environment = PrivateEnvironment(dir.path().string());
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
        EXPECT_EQ(WaitForLines(dir.file("explorer.log"), 1),
                  std::vector<std::string>{"/root," + copy});
        EXPECT_EQ(Stored(dir, imn, "Current Profile"), Variant(profile));
        EXPECT_EQ(Stored(dir, imn + "\\Mail", "Sender Name"), Variant("Ann at work"));
        EXPECT_EQ(Stored(dir, imn + "\\Mail\\POP3\\pop.work.example", "Account"), Variant("ann"));
    }
}

// A running program ended by the session or the terminal still runs its exit routine, which
// blanks the client of a protected profile.
TEST(RunningProgram, EachSignalRunsTheExitRoutine) {
    const std::string imn(settings::kImnKey);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        TempDir dir;
        const Environment environment = PrivateEnvironment(dir.path().string());
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
        EXPECT_EQ(Stored(dir, imn, "Store Root"), Variant("c:\\unsecure")) << signal;
    }
}

}  // namespace
}  // namespace quorvel::testing
