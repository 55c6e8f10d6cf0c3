// The command-line road as a user takes it: `quorvel work/m` switches the client to the profile,
// starts Internet Mail through the Explorer and ends by itself; and a running program ended
// from outside.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/child_process.h"

namespace quorvel::testing {
namespace {

// A store and a Windows directory of their own, filled from a .reg text.
class Desk {
  public:
    explicit Desk(const std::string& regText) {
        const std::string sample = dir_.file("sample.reg");
        std::ofstream(sample) << "REGEDIT4\n\n" << regText;
        EXPECT_EQ(RunProgram({QUORVEL_STANDIN_EXE, "install"}, environment), 0);
        EXPECT_EQ(RunProgram({QUORVEL_REG_EXE, "import", sample}, environment), 0);
    }
    std::string file(const std::string& name) const { return dir_.file(name); }
    Variant value(const std::string& key, const std::string& name) {
        registry::SqliteHive hive(file("registry.db"));
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        reg.GetValue(key, name);
        return reg.RegValue;
    }

  private:
    TempDir dir_;

  public:
    const std::map<std::string, std::string> environment = {
        {"QUORVEL_REGISTRY", file("registry.db")},
        {"QUORVEL_WINDIR", file("windows")},
        {"QUORVEL_EXPLORER_LOG", file("explorer.log")},
        {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"},
        {"QT_QPA_PLATFORM", "offscreen"},
    };
};

const std::string kImn(settings::kImnKey);

TEST(CommandLineLaunch, SwitchesStartsMailAndEndsWhateverTheProfileIsCalled) {
    // Names that Qt would take for its own options if it saw the arguments.
    const struct {
        std::vector<std::string> arguments;
        std::string profile;
    } cases[] = {
        {{"work/m"}, "Work"},
        {{"-reverse", "/m"}, "-reverse"},
        {{"-style", "Fusion/m"}, "-style Fusion"},
    };
    for (const auto& c : cases) {
        Desk desk(
            "[HKEY_CURRENT_USER\\Software\\Quorvel!]\n"
            "\"Profile List\"=\"Home;" +
            c.profile +
            ";|\"\n"
            "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\" +
            c.profile +
            "\\Mail]\n"
            "\"Sender Name\"=\"Ann at work\"\n"
            "\"Default Account Profile\"=\"office\"\n"
            "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\" +
            c.profile +
            "\\Mail\\office]\n"
            "\"Default POP3 Server\"=\"pop.work.example\"\n"
            "\"Account\"=\"ann\"\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Mail and News\\Mail]\n"
            "\"Sender Name\"=\"Ann at home\"\n");
        std::vector<std::string> command{QUORVEL_EXE};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(RunProgram(command, desk.environment), 0) << c.profile;

        const std::string copy =
            desk.file("windows/Mail---" + c.profile + ".{89292102-4755-11cf-9DC2-00AA006C2B84}");
        EXPECT_TRUE(std::filesystem::exists(copy)) << c.profile;
        // The Explorer runs on after the program has ended; give it a moment to write its log.
        std::string line;
        for (int i = 0; i < 200 && line.empty(); ++i) {
            std::ifstream file(desk.file("explorer.log"));
            std::getline(file, line);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_EQ(line, "/root," + copy);
        EXPECT_EQ(desk.value(kImn, "Current Profile"), Variant(c.profile));
        EXPECT_EQ(desk.value(kImn + "\\Mail", "Sender Name"), Variant("Ann at work"));
        EXPECT_EQ(desk.value(kImn + "\\Mail\\POP3\\pop.work.example", "Account"), Variant("ann"));
    }
}

// A logout, a kill, a closed terminal or Ctrl+C end a running program through its exit
// routine, so a protected profile's client settings are blanked as on "Quit".
TEST(RunningProgram, EachSignalRunsTheExitRoutine) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        Desk desk(
            "[HKEY_CURRENT_USER\\Software\\Quorvel!]\n"
            "\"version40\"=\"Yes\"\n"
            "\"Profile List\"=\"Work;|\"\n"
            "[HKEY_CURRENT_USER\\Software\\Quorvel!\\Profiles\\Work]\n"
            "\"Secure Profile\"=dword:00000001\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Mail and News]\n"
            "\"Current Profile\"=\"Work\"\n"
            "\"Store Root\"=\"/home/ann/mail\"\n");
        ChildProcess program({QUORVEL_EXE}, desk.environment);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // up and in its loop
        ::kill(program.pid(), signal);
        EXPECT_EQ(program.wait(), 0) << signal;
        EXPECT_EQ(desk.value(kImn, "Store Root"), Variant("c:\\unsecure")) << signal;
    }
}

}  // namespace
}  // namespace quorvel::testing
