#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

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

TEST(SqliteStore, UnusableFilesAreRefusedAndLeftAsTheyWere) {
    const auto refused = [](const std::string& path, const char* words) {
        const auto before = ReadBytes(path);
        std::string message;
        try {
            SqliteHive hive(path);
        } catch (const StoreError& error) {
            message = error.what();
        }
        EXPECT_NE(message.find(words), std::string::npos) << message;
        EXPECT_NE(message.find(path), std::string::npos) << words;
        EXPECT_EQ(ReadBytes(path), before) << words;
    };
    TempDir dir;
    const std::string newer = dir.file("newer.db");
    { SqliteHive hive(newer); }
    RunSql(newer, "PRAGMA user_version = 2");
    refused(newer, "newer version");
    WriteBytes(dir.file("x.db"), std::string(4096, 'x'));
    refused(dir.file("x.db"), "damaged or is not a database");
    RunSql(dir.file("mail.db"), "CREATE TABLE mail(id INTEGER)");
    refused(dir.file("mail.db"), "not a Quorvel registry store");
}

}  // namespace
}  // namespace quorvel::testing
