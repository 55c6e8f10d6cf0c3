#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "registry/hive.h"
#include "registry/sqlite/sqlite_connection.h"

namespace quorvel::registry {

// The portable registry: one SQLite file holding HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
// Several processes share it (WAL journal, a generous busy timeout, write transactions that
// take the lock up front), and every commit is durable before it returns.
class SqliteHive final : public Hive {
  public:
    static constexpr int kSchemaVersion = 1;
    static constexpr std::int32_t kApplicationId = 0x5152564C;  // "QRVL"

    // Opens the store at `path`, creating it (mode 0600, with its folder) when it does not
    // exist. Throws StoreError, leaving the file untouched, when the file is damaged, is not a
    // registry store, or was written by a newer version.
    explicit SqliteHive(const std::string& path);
    ~SqliteHive() override;

    std::unique_ptr<OpenKey> openKey(Root root, std::string_view path) override;
    std::unique_ptr<OpenKey> createKey(Root root, std::string_view path) override;
    std::unique_ptr<WriteScope> beginWrite() override;
    std::unique_ptr<WriteScope> beginLightWrite() override;
    bool writing() const override { return depth_ > 0; }
    void abandonWrites() override;

    const std::string& path() const { return path_; }

  private:
    friend class SqliteKey;
    friend class SqliteWriteScope;
    friend class ImplicitWrite;

    std::optional<std::int64_t> findChild(std::int64_t parent, std::string_view name);
    std::optional<std::int64_t> resolve(std::int64_t start, std::string_view path);
    bool keyExists(std::int64_t id);
    // Keys found by path, remembered until any process changes the store in a way this
    // connection did not see (PRAGMA data_version) or this connection deletes or undoes keys.
    std::optional<std::int64_t> lookUp(Root root, std::string_view path);
    // Finds the key level by level, through the remembered levels; with `create`, missing
    // levels are made (the caller holds the write lock).
    std::optional<std::int64_t> walk(Root root, std::string_view path, bool create);
    void refreshKeyCache();
    void forgetKeys() { keyCache_.clear(); }
    void initialise();

    // Write transactions: the outermost scope holds BEGIN IMMEDIATE; a failure anywhere inside
    // dooms the whole transaction.
    bool enterWrite(bool light = false);
    bool leaveWrite(bool commit, std::uint64_t generation);

    std::string path_;
    std::unique_ptr<SqliteConnection> db_;
    std::unordered_map<std::string, std::int64_t> keyCache_;
    std::int64_t cacheVersion_ = -1;
    bool cacheCheckedInTransaction_ = false;
    int depth_ = 0;
    bool doomed_ = false;
    // Counts abandoned transactions: a scope opened before the last one leaves without writing.
    std::uint64_t generation_ = 0;
    // The open transaction commits without waiting for the disk.
    bool light_ = false;
};

}  // namespace quorvel::registry
