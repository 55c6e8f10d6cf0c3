// The executables as a user runs them: `quorvel work/m` switches the client to the profile,
// starts Internet Mail through the Explorer and ends by itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/child_process.h"

namespace quorvel::testing {
namespace {

const std::string kImn(settings::kImnKey);

// A store and a Windows directory of their own, with `profile` and the client's settings.
class Desk {
  public:
    explicit Desk(const std::string& profile) {
        const std::string sample = dir_.file("sample.reg");
        const std::string key = "[HKEY_CURRENT_USER\\Software\\Quorvel!";
        std::ofstream(sample) << "REGEDIT4\n\n"
                              << key << "]\n\"Profile List\"=\"Home;" << profile << ";|\"\n"
                              << key << "\\Profiles\\" << profile << "\\Mail]\n"
                              << "\"Sender Name\"=\"Ann at work\"\n"
                              << "\"Default Account Profile\"=\"office\"\n"
                              << key << "\\Profiles\\" << profile << "\\Mail\\office]\n"
                              << "\"Default POP3 Server\"=\"pop.work.example\"\n"
                              << "\"Account\"=\"ann\"\n"
                              << "[HKEY_CURRENT_USER\\" << kImn << "\\Mail]\n"
                              << "\"Sender Name\"=\"Ann at home\"\n";
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

TEST(CommandLineLaunch, SwitchesStartsMailAndEndsWhateverTheProfileIsCalled) {
    // Names that Qt would take for its own options if it saw the arguments.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"work/m"}, "Work"},
        {{"-reverse", "/m"}, "-reverse"},
        {{"-style", "Fusion/m"}, "-style Fusion"},
    };
    for (const auto& [arguments, profile] : cases) {
        Desk desk(profile);
        std::vector<std::string> command{QUORVEL_EXE};
        command.insert(command.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(RunProgram(command, desk.environment), 0) << profile;

        const std::string copy =
            desk.file("windows/Mail---" + profile + ".{89292102-4755-11cf-9DC2-00AA006C2B84}");
        EXPECT_TRUE(std::filesystem::exists(copy)) << profile;
        // The Explorer runs on after the program has ended; give it a moment to write its log.
        std::string line;
        for (int i = 0; i < 200 && line.empty(); ++i) {
            std::ifstream file(desk.file("explorer.log"));
            std::getline(file, line);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_EQ(line, "/root," + copy);
        EXPECT_EQ(desk.value(kImn, "Current Profile"), Variant(profile));
        EXPECT_EQ(desk.value(kImn + "\\Mail", "Sender Name"), Variant("Ann at work"));
        EXPECT_EQ(desk.value(kImn + "\\Mail\\POP3\\pop.work.example", "Account"), Variant("ann"));
    }
}

}  // namespace
}  // namespace quorvel::testing
