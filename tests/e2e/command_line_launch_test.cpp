// The command-line road as a user takes it: `quorvel work/m` switches the client to the profile,
// starts Internet Mail through the Explorer and ends by itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/run_process.h"

namespace quorvel::testing {
namespace {

TEST(CommandLineLaunch, SwitchesStartsMailAndEnds) {
    TempDir dir;
    const std::string store = dir.file("registry.db");
    const std::string winDir = dir.file("windows");
    const std::string log = dir.file("explorer.log");
    const std::map<std::string, std::string> environment = {
        {"QUORVEL_REGISTRY", store},      {"QUORVEL_WINDIR", winDir},
        {"QUORVEL_EXPLORER_LOG", log},    {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"},
        {"QT_QPA_PLATFORM", "offscreen"},
    };
    ASSERT_EQ(RunProcess({QUORVEL_STANDIN_EXE, "install"}, environment), 0);

    const std::string sample = dir.file("profiles.reg");
    std::ofstream(sample)
        << "REGEDIT4\n\n"
           "[HKEY_CURRENT_USER\\Software\\Quorvel!]\n"
           "\"Profile List\"=\"Home;Work;|\"\n"
           "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\Work\\Mail]\n"
           "\"Sender Name\"=\"Ann at work\"\n"
           "\"Default Account Profile\"=\"office\"\n"
           "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\Work\\Mail\\office]\n"
           "\"Default POP3 Server\"=\"pop.work.example\"\n"
           "\"Account\"=\"ann\"\n"
           "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Mail and News\\Mail]\n"
           "\"Sender Name\"=\"Ann at home\"\n";
    ASSERT_EQ(RunProcess({QUORVEL_REG_EXE, "import", sample}, environment), 0);

    EXPECT_EQ(RunProcess({QUORVEL_EXE, "work/m"}, environment), 0);

    const std::string copy = winDir + "/Mail---Work.{89292102-4755-11cf-9DC2-00AA006C2B84}";
    EXPECT_TRUE(std::filesystem::exists(copy));
    // The Explorer runs on after the program has ended; give it a moment to write its log.
    std::string line;
    for (int i = 0; i < 200 && line.empty(); ++i) {
        std::ifstream file(log);
        std::getline(file, line);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(line, "/root," + copy);

    registry::SqliteHive hive(store);
    FixedFolders folders;
    registry::Registry reg(hive, folders);
    reg.GetValue(std::string(settings::kImnKey), "Current Profile");
    EXPECT_EQ(reg.RegValue, Variant("Work"));
    reg.GetValue(std::string(settings::kImnKey) + "\\Mail", "Sender Name");
    EXPECT_EQ(reg.RegValue, Variant("Ann at work"));
    reg.GetValue(std::string(settings::kImnKey) + "\\Mail\\POP3\\pop.work.example", "Account");
    EXPECT_EQ(reg.RegValue, Variant("ann"));
}

// A logout or a kill ends a running program through its exit routine, so a protected profile's
// client settings are blanked as on "Quit".
TEST(RunningProgram, SigtermRunsTheExitRoutine) {
    TempDir dir;
    const std::string store = dir.file("registry.db");
    const std::map<std::string, std::string> environment = {
        {"QUORVEL_REGISTRY", store},
        {"QUORVEL_WINDIR", dir.file("windows")},
        {"QT_QPA_PLATFORM", "offscreen"},
    };
    const std::string sample = dir.file("secure.reg");
    std::ofstream(sample) << "REGEDIT4\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Quorvel!]\n"
                             "\"version40\"=\"Yes\"\n"
                             "\"Profile List\"=\"Work;|\"\n"
                             "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\Work]\n"
                             "\"Secure Profile\"=dword:00000001\n"
                             "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Mail and News]\n"
                             "\"Current Profile\"=\"Work\"\n"
                             "\"Store Root\"=\"/home/ann/mail\"\n";
    ASSERT_EQ(RunProcess({QUORVEL_REG_EXE, "import", sample}, environment), 0);

    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const auto& [name, value] : environment) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
        std::freopen("/dev/null", "w", stderr);
        ::execl(QUORVEL_EXE, QUORVEL_EXE, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // up and in its event loop
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    registry::SqliteHive hive(store);
    FixedFolders folders;
    registry::Registry reg(hive, folders);
    reg.GetValue(std::string(settings::kImnKey), "Store Root");
    EXPECT_EQ(reg.RegValue, Variant("c:\\unsecure"));
}

}  // namespace
}  // namespace quorvel::testing
