// quorvel-reg as separate processes on one store file, as users and scripts run it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::testing {
namespace {

// Starts quorvel-reg on `store` with its output discarded; returns the process id.
pid_t Start(const std::string& store, const std::vector<std::string>& args) {
    std::vector<std::string> argv{QUORVEL_REG_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    return Spawn(argv, {{"QUORVEL_REGISTRY", store}});
}

TEST(RegProcesses, ParallelWritersLoseNoValue) {
    TempDir dir;
    const std::string store = dir.file("registry.db");
    constexpr int kProcesses = 6;
    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<pid_t> running;
        for (int p = 0; p < kProcesses; ++p) {
            const std::string name = "p" + std::to_string(p) + "r" + std::to_string(round);
            running.push_back(Start(store, {"add", "HKCU\\Software\\Shared", "/v", name, "/t",
                                            "REG_DWORD", "/d", std::to_string(p), "/f"}));
        }
        for (const pid_t pid : running) {
            EXPECT_EQ(Wait(pid), 0);
        }
    }
    for (int round = 0; round < kRounds; ++round) {
        for (int p = 0; p < kProcesses; ++p) {
            const std::string name = "p" + std::to_string(p) + "r" + std::to_string(round);
            EXPECT_EQ(Wait(Start(store, {"query", "HKCU\\Software\\Shared", "/v", name})), 0)
                << name;
        }
    }
}

TEST(RegProcesses, NewerStoreIsRefusedUntouched) {
    TempDir dir;
    const std::string store = dir.file("registry.db");
    ASSERT_EQ(Wait(Start(store, {"add", "HKCU\\K"})), 0);
    sqlite3* db = nullptr;
    sqlite3_open(store.c_str(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 9", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const auto before = ReadBytes(store);
    EXPECT_EQ(Wait(Start(store, {"add", "HKCU\\K", "/v", "x", "/d", "1", "/f"})), 1);
    EXPECT_EQ(ReadBytes(store), before);
}

}  // namespace
}  // namespace quorvel::testing
