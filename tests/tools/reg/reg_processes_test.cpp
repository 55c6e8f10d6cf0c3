// quorvel-reg as separate processes on one store file, as users and scripts run it.
#include <gtest/gtest.h>

#include "registry/sqlite/sqlite_hive.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::testing {
namespace {

pid_t StartReg(const std::string& store, std::vector<std::string> args) {
    args.insert(args.begin(), QUORVEL_REG_EXE);
    return Spawn(args, {{"QUORVEL_REGISTRY", store}});
}

TEST(RegProcesses, ParallelWritersLoseNoValue) {
    TempDir dir;
    std::vector<pid_t> running;
    for (int p = 0; p < 24; ++p) {
        running.push_back(StartReg(dir.file("registry.db"),
                                   {"add", "HKCU\\Shared", "/v", std::to_string(p), "/f"}));
    }
    for (const pid_t pid : running) {
        EXPECT_EQ(Wait(pid), 0);
    }
    std::vector<registry::RawValue> values;
    registry::SqliteHive(dir.file("registry.db"))
        .openKey(registry::Root::CurrentUser, "Shared")
        ->values(values);
    EXPECT_EQ(values.size(), running.size());
}

TEST(RegProcesses, AStoreItCannotUseIsRefusedUntouched) {
    TempDir dir;
    WriteBytes(dir.file("registry.db"), std::string(4096, 'x'));
    EXPECT_EQ(Wait(StartReg(dir.file("registry.db"), {"add", "HKCU\\K", "/f"})), 1);
    EXPECT_EQ(ReadBytes(dir.file("registry.db")), std::vector<std::uint8_t>(4096, 'x'));
}

}  // namespace
}  // namespace quorvel::testing
