// A running program ended by a signal, as a user's session or terminal ends it.
#include <gtest/gtest.h>

#include <csignal>

#include <fstream>
#include <thread>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/child_process.h"

namespace quorvel::testing {
namespace {

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
        registry::SqliteHive hive(dir.file("registry.db"));
        FixedFolders folders;
        registry::Registry reg(hive, folders);
        reg.GetValue(imn, "Store Root");
        EXPECT_EQ(reg.RegValue, Variant("c:\\unsecure")) << signal;
    }
}

}  // namespace
}  // namespace quorvel::testing
