#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

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

TEST(SqliteStore, NewStoreIsPrivateInAFolderItCreatesAndAnEmptyFileBecomesOne) {
    TempDir dir;
    const std::string path = dir.file("deep/er/registry.db");
    { SqliteHive hive(path); }
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    WriteBytes(dir.file("empty.db"), "");
    SqliteHive hive(dir.file("empty.db"));
    EXPECT_NE(hive.createKey(Root::CurrentUser, "Software"), nullptr);
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
    const std::tuple<std::uint32_t, const char*, bool> rewrites[] = {
        {registry::REG_SZ, "inbox", false},
        {registry::REG_BINARY, "inbox", true},
        {registry::REG_BINARY, "inbox", false},
        {registry::REG_BINARY, "outbox", true}};
    for (const auto& [type, data, changes] : rewrites) {
        const auto before = version();
        ASSERT_EQ(key->setValue("folder", type, Bytes(data)), 0);
        EXPECT_EQ(version() != before, changes) << type << data;
    }
    sqlite3_close(watcher);
    std::vector<registry::RawValue> values;
    key->values(values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Folder");
}

TEST(SqliteStore, UnusableFilesAreRefusedAndLeftAsTheyWere) {
    const struct {
        const char* words;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"newer version",
         [](const std::string& path) {
             { SqliteHive hive(path); }
             RunSql(path, "PRAGMA user_version = 2");
         }},
        {"damaged or is not a database",
         [](const std::string& path) { WriteBytes(path, std::string(4096, 'x')); }},
        {"damaged",
         [](const std::string& path) {
             {
                 SqliteHive hive(path);
                 auto key = hive.createKey(Root::CurrentUser, "K");
                 for (int i = 0; i < 300; ++i) {
                     key->setValue(std::to_string(i), registry::REG_SZ,
                                   std::vector<std::uint8_t>(100, 'v'));
                 }
             }
             auto bytes = ReadBytes(path);
             std::fill(bytes.begin() + 4096 + 8, bytes.begin() + 8192, 0xA5);
             WriteBytes(path, std::string(bytes.begin(), bytes.end()));
         }},
        {"not a Quorvel registry store",
         [](const std::string& path) { RunSql(path, "CREATE TABLE mail(id INTEGER)"); }},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("registry.db");
        c.make(path);
        const auto before = ReadBytes(path);
        std::string message;
        try {
            SqliteHive hive(path);
        } catch (const StoreError& error) {
            message = error.what();
        }
        EXPECT_NE(message.find(c.words), std::string::npos) << message;
        EXPECT_NE(message.find(path), std::string::npos) << c.words;
        EXPECT_EQ(ReadBytes(path), before) << c.words;
    }
}

}  // namespace
}  // namespace quorvel::testing
