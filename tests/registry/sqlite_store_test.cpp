#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "registry/store_error.h"
#include "registry_fixture.h"
#include "support/temp_dir.h"

namespace quorvel::testing {
namespace {

using registry::Root;
using registry::SqliteHive;
using registry::StoreError;

void RunSql(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::string RefusalOf(const std::string& path) {
    try {
        SqliteHive hive(path);
    } catch (const StoreError& error) {
        return error.what();
    }
    return "";
}

TEST(SqliteStore, NewStoreIsPrivateAndInAFolderItCreates) {
    TempDir dir;
    const std::string path = dir.file("deep/er/registry.db");
    { SqliteHive hive(path); }
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(SqliteStore, ValuesOutliveTheProcessThatWroteThem) {
    TempDir dir;
    const std::string path = dir.file("registry.db");
    {
        SqliteHive hive(path);
        auto key = hive.createKey(Root::CurrentUser, "Software\\Quorvel!");
        ASSERT_EQ(key->setValue("Version", registry::REG_SZ, Bytes(std::string("5.1.0\0", 6))), 0);
    }
    SqliteHive hive(path);
    auto key = hive.openKey(Root::CurrentUser, "software\\quorvel!");
    ASSERT_NE(key, nullptr);
    std::vector<registry::RawValue> values;
    key->values(values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Version");
}

// The launcher rewrites values the switch before it has just written: such a rewrite must leave
// the store untouched, so that its commit costs no flush of the disk.
TEST(SqliteStore, RewritingAValueAsItIsLeavesTheStoreUnchanged) {
    TempDir dir;
    const std::string path = dir.file("registry.db");
    SqliteHive hive(path);
    auto key = hive.createKey(Root::CurrentUser, "Software\\Quorvel!");
    ASSERT_EQ(key->setValue("Folder", registry::REG_SZ, Bytes("inbox")), 0);
    sqlite3* watcher = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &watcher), SQLITE_OK);
    // Another connection's data_version moves with every commit that changed the file.
    const auto version = [watcher] {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(watcher, "PRAGMA data_version", -1, &statement, nullptr);
        sqlite3_step(statement);
        const auto number = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return number;
    };
    struct Case {
        std::uint32_t type;
        const char* data;
        bool changes;
    };
    for (const Case& c :
         {Case{registry::REG_SZ, "inbox", false}, Case{registry::REG_BINARY, "inbox", true},
          Case{registry::REG_BINARY, "inbox", false}, Case{registry::REG_BINARY, "outbox", true}}) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.data);
        const auto before = version();
        ASSERT_EQ(key->setValue("folder", c.type, Bytes(c.data)), 0);
        EXPECT_EQ(version() != before, c.changes);
    }
    sqlite3_close(watcher);
    std::vector<registry::RawValue> values;
    key->values(values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Folder");
    EXPECT_EQ(values[0].type, registry::REG_BINARY);
}

TEST(SqliteStore, UnusableFilesAreRefusedAndLeftAsTheyWere) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        const char* words;
    };
    const std::vector<Case> cases = {
        {"newer",
         [](const std::string& path) {
             { SqliteHive hive(path); }
             RunSql(path, "PRAGMA user_version = 2");
         },
         "newer version"},
        {"not a database",
         [](const std::string& path) { WriteBytes(path, std::string(4096, 'x')); },
         "damaged or is not a database"},
        {"damaged page",
         [](const std::string& path) {
             {
                 SqliteHive hive(path);
                 auto key = hive.createKey(Root::CurrentUser, "K");
                 for (int i = 0; i < 300; ++i) {
                     key->setValue("value " + std::to_string(i), registry::REG_SZ,
                                   std::vector<std::uint8_t>(100, 'v'));
                 }
             }
             auto bytes = ReadBytes(path);
             std::fill(bytes.begin() + 4096 + 8, bytes.begin() + 8192, 0xA5);
             WriteBytes(path, std::string(bytes.begin(), bytes.end()));
         },
         "damaged"},
        {"foreign database",
         [](const std::string& path) { RunSql(path, "CREATE TABLE mail(id INTEGER)"); },
         "not a Quorvel registry store"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("registry.db");
        c.make(path);
        const auto before = ReadBytes(path);
        const std::string message = RefusalOf(path);
        EXPECT_NE(message.find(c.words), std::string::npos) << c.name << ": " << message;
        EXPECT_NE(message.find(path), std::string::npos) << c.name;
        EXPECT_EQ(ReadBytes(path), before) << c.name;
    }
}

TEST(SqliteStore, AnEmptyFileBecomesAStore) {
    TempDir dir;
    const std::string path = dir.file("registry.db");
    WriteBytes(path, "");
    SqliteHive hive(path);
    EXPECT_NE(hive.createKey(Root::CurrentUser, "Software"), nullptr);
}

// Several processes create and hammer the same store at once; no write may be lost to a busy
// lock, and none may find the store half set up.
TEST(SqliteStore, ConcurrentWritersFromSeveralProcessesLoseNothing) {
    TempDir dir;
    const std::string path = dir.file("registry.db");
    constexpr int kWriters = 4;
    constexpr int kValues = 150;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            {
                SqliteHive hive(path);
                FixedFolders folders;
                registry::Registry reg(hive, folders);
                reg.CreateKey("Shared", Root::CurrentUser);
                for (int i = 0; i < kValues; ++i) {
                    const std::string name = std::to_string(writer) + "-" + std::to_string(i);
                    if (i % 10 == 0) {
                        // Some in groups, some on their own, as the program writes them.
                        auto scope = reg.BeginTransaction();
                        reg.SetValue("Shared", name, Variant(i), registry::REG_DWORD);
                        failures += scope->commit() ? 0 : 1;
                    } else {
                        failures +=
                            reg.SetValue("Shared", name, Variant(i), registry::REG_DWORD) != 0 ? 1
                                                                                               : 0;
                    }
                }
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    SqliteHive hive(path);
    std::vector<registry::RawValue> values;
    hive.openKey(Root::CurrentUser, "Shared")->values(values);
    EXPECT_EQ(values.size(), static_cast<std::size_t>(kWriters * kValues));
}

}  // namespace
}  // namespace quorvel::testing
