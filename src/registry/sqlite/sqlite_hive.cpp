#include "registry/sqlite/sqlite_hive.h"

#include <unordered_set>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "registry/names.h"

namespace quorvel::registry {
namespace {

// Long enough that a user's switch never fails because the tray instance, a command-line
// instance and the stand-in client happened to write at the same moment.
constexpr int kBusyTimeoutMs = 60'000;

constexpr std::int64_t RootId(Root root) {
    return root == Root::LocalMachine ? 2 : 1;
}

constexpr const char* kSchema = R"sql(
CREATE TABLE keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    fold TEXT NOT NULL);
CREATE UNIQUE INDEX keys_by_name ON keys(parent, fold);
CREATE TABLE vals(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL);
CREATE UNIQUE INDEX vals_by_name ON vals(key, fold);
INSERT INTO keys(id, parent, name, fold) VALUES
    (1, NULL, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER'),
    (2, NULL, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE');
PRAGMA application_id = 1364350540;
PRAGMA user_version = 1;
)sql";

void CreateStoreFile(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file(path);
    std::error_code error;
    if (file.has_parent_path() && !fs::exists(file.parent_path(), error)) {
        fs::create_directories(file.parent_path(), error);
        if (error) {
            throw StoreError("The folder of the registry store \"" + path +
                             "\" cannot be created: " + error.message() + ".");
        }
        fs::permissions(file.parent_path(), fs::perms::owner_all, error);
    }
    // Created here rather than by SQLite so that the file is private from its first byte.
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
    } else if (errno != EEXIST) {
        throw StoreError("The registry store \"" + path +
                         "\" cannot be created: " + std::strerror(errno) + ".");
    }
}

}  // namespace

class SqliteWriteScope final : public WriteScope {
  public:
    explicit SqliteWriteScope(SqliteHive& hive) : hive_(hive), generation_(hive.generation_) {}
    ~SqliteWriteScope() override {
        if (!done_) {
            hive_.leaveWrite(false, generation_);
        }
    }
    bool commit() override {
        if (done_) {
            return result_;
        }
        done_ = true;
        result_ = hive_.leaveWrite(true, generation_);
        return result_;
    }

  private:
    SqliteHive& hive_;
    std::uint64_t generation_;
    bool done_ = false;
    bool result_ = false;
};

// A single write outside any scope still runs in a transaction of its own, so that it takes the
// write lock up front and waits for it instead of failing on a stale snapshot.
class ImplicitWrite {
  public:
    explicit ImplicitWrite(SqliteHive& hive)
        : hive_(hive), ok_(hive.enterWrite()), generation_(hive.generation_) {}
    ~ImplicitWrite() { hive_.leaveWrite(ok_ && !failed_, generation_); }
    ImplicitWrite(const ImplicitWrite&) = delete;
    ImplicitWrite& operator=(const ImplicitWrite&) = delete;
    bool ok() const { return ok_; }
    void fail() { failed_ = true; }

  private:
    SqliteHive& hive_;
    bool ok_;
    std::uint64_t generation_;
    bool failed_ = false;
};

class SqliteKey final : public OpenKey {
  public:
    SqliteKey(SqliteHive& hive, std::int64_t id) : hive_(hive), id_(id) {}

    long queryValue(std::string_view name, std::uint32_t& type, std::span<std::uint8_t> data,
                    std::uint32_t& size) override {
        if (!data.empty() && probed_ && probedName_ == name) {
            probed_ = false;
            type = probedType_;
            size = static_cast<std::uint32_t>(probedData_.size());
            if (data.size() < probedData_.size()) {
                return ERROR_MORE_DATA;
            }
            std::copy(probedData_.begin(), probedData_.end(), data.begin());
            return ERROR_SUCCESS;
        }
        probed_ = false;
        auto statement = db().prepare("SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2");
        statement.bind(1, id_).bind(2, FoldName(name));
        const int step = statement.step();
        if (step != SQLITE_ROW) {
            return step == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : ERROR_REGISTRY_IO_FAILED;
        }
        const auto stored = statement.blob(1);
        type = static_cast<std::uint32_t>(statement.integer(0));
        size = static_cast<std::uint32_t>(stored.size());
        if (data.empty()) {
            probed_ = true;
            probedName_.assign(name);
            probedType_ = type;
            probedData_.assign(stored.begin(), stored.end());
            return ERROR_SUCCESS;
        }
        if (data.size() < stored.size()) {
            return ERROR_MORE_DATA;
        }
        std::copy(stored.begin(), stored.end(), data.begin());
        return ERROR_SUCCESS;
    }

    long setValue(std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        probed_ = false;
        if (CharacterCount(name) > kMaxValueNameLength) {
            return ERROR_INVALID_PARAMETER;
        }
        ImplicitWrite write(hive_);
        if (!write.ok()) {
            return ERROR_REGISTRY_IO_FAILED;
        }
        // A value rewritten as it already is must change no page, so that its commit costs no
        // flush: the launcher rewrites values the switch before it has just written. An upsert
        // would not do, as its AUTOINCREMENT bookkeeping writes a page even when it changes
        // nothing. New values come first, as a multiple-server switch creates hundreds.
        auto insert = db().prepare(
            "INSERT INTO vals(key, name, fold, type, data) SELECT ?1, ?2, ?3, ?4, ?5 "
            "WHERE NOT EXISTS (SELECT 1 FROM vals WHERE key = ?1 AND fold = ?3)");
        insert.bind(1, id_).bind(2, name).bind(3, FoldName(name)).bind(4, std::int64_t{type});
        insert.bindBlob(5, data);
        const int inserted = insert.step();
        if (inserted == SQLITE_CONSTRAINT_FOREIGNKEY) {
            return ERROR_KEY_DELETED;  // a failed statement leaves the transaction intact
        }
        if (inserted != SQLITE_DONE) {
            write.fail();
            return ERROR_REGISTRY_IO_FAILED;
        }
        if (db().changes() > 0) {
            return ERROR_SUCCESS;
        }
        auto update = db().prepare(
            "UPDATE vals SET type = ?3, data = ?4 WHERE key = ?1 AND fold = ?2 "
            "AND (type IS NOT ?3 OR data IS NOT ?4)");
        update.bind(1, id_).bind(2, FoldName(name)).bind(3, std::int64_t{type});
        update.bindBlob(4, data);
        if (update.step() != SQLITE_DONE) {
            write.fail();
            return ERROR_REGISTRY_IO_FAILED;
        }
        return ERROR_SUCCESS;
    }

    long deleteValue(std::string_view name) override {
        probed_ = false;
        ImplicitWrite write(hive_);
        if (!write.ok()) {
            return ERROR_REGISTRY_IO_FAILED;
        }
        auto statement = db().prepare("DELETE FROM vals WHERE key = ?1 AND fold = ?2");
        statement.bind(1, id_).bind(2, FoldName(name));
        if (statement.step() != SQLITE_DONE) {
            write.fail();
            return ERROR_REGISTRY_IO_FAILED;
        }
        return db().changes() > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }

    long deleteSubKeyTree(std::string_view name) override {
        if (name.empty()) {
            return ERROR_INVALID_PARAMETER;
        }
        ImplicitWrite write(hive_);
        if (!write.ok()) {
            return ERROR_REGISTRY_IO_FAILED;
        }
        const auto target = hive_.resolve(id_, name);
        if (!target) {
            return hive_.keyExists(id_) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
        }
        // The foreign keys cascade: subkeys at every depth and all their values go with it.
        {
            std::unordered_set<std::int64_t> gone;
            auto sub = db().prepare(
                "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL SELECT keys.id FROM keys JOIN sub "
                "ON keys.parent = sub.id) SELECT id FROM sub");
            sub.bind(1, *target);
            while (sub.step() == SQLITE_ROW) {
                gone.insert(sub.integer(0));
            }
            std::erase_if(hive_.keyCache_,
                          [&](const auto& entry) { return gone.count(entry.second) > 0; });
        }
        auto statement = db().prepare("DELETE FROM keys WHERE id = ?1");
        statement.bind(1, *target);
        if (statement.step() != SQLITE_DONE) {
            write.fail();
            return ERROR_REGISTRY_IO_FAILED;
        }
        return ERROR_SUCCESS;
    }

    long subKeyNames(std::vector<std::string>& names) override {
        names.clear();
        if (!hive_.keyExists(id_)) {
            return ERROR_KEY_DELETED;
        }
        auto statement =
            db().prepare("SELECT name FROM keys WHERE parent = ?1 ORDER BY fold, name");
        statement.bind(1, id_);
        int step = SQLITE_ROW;
        while ((step = statement.step()) == SQLITE_ROW) {
            names.push_back(statement.text(0));
        }
        return step == SQLITE_DONE ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
    }

    long values(std::vector<RawValue>& values) override {
        values.clear();
        if (!hive_.keyExists(id_)) {
            return ERROR_KEY_DELETED;
        }
        auto statement =
            db().prepare("SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id");
        statement.bind(1, id_);
        int step = SQLITE_ROW;
        while ((step = statement.step()) == SQLITE_ROW) {
            const auto data = statement.blob(2);
            values.push_back(RawValue{statement.text(0),
                                      static_cast<std::uint32_t>(statement.integer(1)),
                                      {data.begin(), data.end()}});
        }
        return step == SQLITE_DONE ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
    }

  private:
    SqliteConnection& db() { return *hive_.db_; }

    SqliteHive& hive_;
    std::int64_t id_;
    bool probed_ = false;
    std::string probedName_;
    std::uint32_t probedType_ = 0;
    std::vector<std::uint8_t> probedData_;
};

SqliteHive::SqliteHive(const std::string& path) : path_(path) {
    const bool inMemory = path == ":memory:";
    if (!inMemory) {
        CreateStoreFile(path);
    }
    db_ = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::ReadWrite);
    sqlite3_busy_timeout(db_->handle(), kBusyTimeoutMs);
    try {
        initialise();
    } catch (...) {
        // A refused file must stay as it was, so the connection may not checkpoint on close.
        sqlite3_db_config(db_->handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        throw;
    }
}

SqliteHive::~SqliteHive() = default;

void SqliteHive::initialise() {
    const auto readNumber = [this](const char* sql) -> std::int64_t {
        auto statement = db_->prepare(sql);
        if (!statement || statement.step() != SQLITE_ROW) {
            throw StoreError("The registry store \"" + path_ +
                             "\" is damaged or is not a database (" + db_->errorMessage() +
                             "). Quorvel has left it as it is.");
        }
        return statement.integer(0);
    };
    // One read transaction, so that a store another process is setting up right now is seen
    // either empty or complete, never with its tables but without its marks.
    db_->exec("BEGIN");
    std::int64_t applicationId = 0;
    std::int64_t version = 0;
    std::int64_t objects = 0;
    try {
        applicationId = readNumber("PRAGMA application_id");
        version = readNumber("PRAGMA user_version");
        objects = readNumber("SELECT count(*) FROM sqlite_master");
        auto check = db_->prepare("PRAGMA quick_check");
        if (!check || check.step() != SQLITE_ROW || check.text(0) != "ok") {
            throw StoreError("The registry store \"" + path_ +
                             "\" is damaged. Quorvel has left it as it is.");
        }
    } catch (...) {
        db_->exec("ROLLBACK");
        throw;
    }
    db_->exec("COMMIT");
    const bool fresh = applicationId == 0 && objects == 0;
    if (!fresh && applicationId != kApplicationId) {
        throw StoreError("The file \"" + path_ +
                         "\" is not a Quorvel registry store. Quorvel has left it as it is.");
    }
    if (version > kSchemaVersion) {
        throw StoreError("The registry store \"" + path_ +
                         "\" was written by a newer version of Quorvel (store format " +
                         std::to_string(version) + "; this version knows format " +
                         std::to_string(kSchemaVersion) + "). Quorvel has left it as it is.");
    }
    if (path_ != ":memory:") {
        db_->exec("PRAGMA journal_mode = WAL");
    }
    db_->exec("PRAGMA synchronous = FULL");
    db_->exec("PRAGMA foreign_keys = ON");
    if (!fresh) {
        return;
    }
    // Another process may be creating the same new store: the write lock settles who does.
    if (db_->exec("BEGIN IMMEDIATE") != SQLITE_OK) {
        throw StoreError("The registry store \"" + path_ +
                         "\" cannot be set up: " + db_->errorMessage() + ".");
    }
    if (readNumber("SELECT count(*) FROM sqlite_master") == 0 && db_->exec(kSchema) != SQLITE_OK) {
        const std::string reason = db_->errorMessage();
        db_->exec("ROLLBACK");
        throw StoreError("The registry store \"" + path_ + "\" cannot be set up: " + reason + ".");
    }
    if (db_->exec("COMMIT") != SQLITE_OK) {
        const std::string reason = db_->errorMessage();
        db_->exec("ROLLBACK");
        throw StoreError("The registry store \"" + path_ + "\" cannot be set up: " + reason + ".");
    }
}

std::optional<std::int64_t> SqliteHive::findChild(std::int64_t parent, std::string_view name) {
    auto statement = db_->prepare("SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    statement.bind(1, parent).bind(2, FoldName(name));
    if (statement.step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return statement.integer(0);
}

std::optional<std::int64_t> SqliteHive::resolve(std::int64_t start, std::string_view path) {
    const auto parts = SplitKeyPath(path);
    if (!parts) {
        return std::nullopt;
    }
    std::int64_t id = start;
    for (const std::string& part : *parts) {
        const auto child = findChild(id, part);
        if (!child) {
            return std::nullopt;
        }
        id = *child;
    }
    return id;
}

bool SqliteHive::keyExists(std::int64_t id) {
    auto statement = db_->prepare("SELECT 1 FROM keys WHERE id = ?1");
    statement.bind(1, id);
    return statement.step() == SQLITE_ROW;
}

std::optional<std::int64_t> SqliteHive::lookUp(Root root, std::string_view path) {
    return walk(root, path, false);
}

std::optional<std::int64_t> SqliteHive::walk(Root root, std::string_view path, bool create) {
    refreshKeyCache();
    std::string cacheKey = FoldName(path);
    cacheKey += root == Root::LocalMachine ? "\\M" : "\\U";
    if (const auto cached = keyCache_.find(cacheKey); cached != keyCache_.end()) {
        return cached->second;
    }
    const auto parts = SplitKeyPath(path);
    if (!parts) {
        return std::nullopt;
    }
    // Every level is remembered on the way, so that the next path below the same parents
    // costs one lookup per new level only.
    const std::string rootTag = root == Root::LocalMachine ? "\\M" : "\\U";
    std::int64_t id = RootId(root);
    std::string prefix;
    for (const std::string& part : *parts) {
        if (!prefix.empty()) {
            prefix += '\\';
        }
        prefix += FoldName(part);
        const std::string levelKey = prefix + rootTag;
        if (const auto cached = keyCache_.find(levelKey); cached != keyCache_.end()) {
            id = cached->second;
            continue;
        }
        if (const auto child = findChild(id, part)) {
            id = *child;
        } else if (!create) {
            return std::nullopt;
        } else {
            auto insert = db_->prepare("INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
            insert.bind(1, id).bind(2, part).bind(3, FoldName(part));
            if (insert.step() != SQLITE_DONE) {
                return std::nullopt;
            }
            id = sqlite3_last_insert_rowid(db_->handle());
        }
        keyCache_.emplace(levelKey, id);
    }
    keyCache_.emplace(std::move(cacheKey), id);
    return id;
}

void SqliteHive::refreshKeyCache() {
    // Within a write transaction nobody else can change the store, so one check suffices.
    if (depth_ > 0 && cacheCheckedInTransaction_) {
        return;
    }
    auto statement = db_->prepare("PRAGMA data_version");
    const std::int64_t version =
        statement && statement.step() == SQLITE_ROW ? statement.integer(0) : -1;
    if (version != cacheVersion_ || version < 0) {
        keyCache_.clear();
        cacheVersion_ = version;
    }
    cacheCheckedInTransaction_ = depth_ > 0;
}

std::unique_ptr<OpenKey> SqliteHive::openKey(Root root, std::string_view path) {
    const auto id = lookUp(root, path);
    if (!id) {
        return nullptr;
    }
    return std::make_unique<SqliteKey>(*this, *id);
}

std::unique_ptr<OpenKey> SqliteHive::createKey(Root root, std::string_view path) {
    if (auto existing = openKey(root, path)) {
        return existing;
    }
    if (!SplitKeyPath(path)) {
        return nullptr;
    }
    ImplicitWrite write(*this);
    if (!write.ok()) {
        return nullptr;
    }
    const auto id = walk(root, path, true);
    if (!id) {
        write.fail();
        return nullptr;
    }
    return std::make_unique<SqliteKey>(*this, *id);
}

std::unique_ptr<WriteScope> SqliteHive::beginWrite() {
    enterWrite();
    return std::make_unique<SqliteWriteScope>(*this);
}

std::unique_ptr<WriteScope> SqliteHive::beginLightWrite() {
    enterWrite(true);
    return std::make_unique<SqliteWriteScope>(*this);
}

bool SqliteHive::enterWrite(bool light) {
    if (depth_++ == 0) {
        // In WAL mode, NORMAL keeps every commit whole but syncs only at checkpoints.
        light_ = light && db_->exec("PRAGMA synchronous = NORMAL") == SQLITE_OK;
        doomed_ = db_->exec("BEGIN IMMEDIATE") != SQLITE_OK;
        cacheCheckedInTransaction_ = false;
    }
    return !doomed_;
}

void SqliteHive::abandonWrites() {
    if (depth_ == 0) {
        return;
    }
    if (db_->inTransaction()) {
        db_->exec("ROLLBACK");
    }
    keyCache_.clear();
    ++generation_;
    depth_ = 0;
    doomed_ = false;
    cacheCheckedInTransaction_ = false;
    if (light_) {
        light_ = false;
        db_->exec("PRAGMA synchronous = FULL");
    }
}

bool SqliteHive::leaveWrite(bool commit, std::uint64_t generation) {
    if (generation != generation_) {
        return false;  // its transaction was abandoned
    }
    if (!commit) {
        doomed_ = true;
    }
    if (--depth_ > 0) {
        return !doomed_;
    }
    bool stored = false;
    if (!doomed_) {
        stored = db_->exec("COMMIT") == SQLITE_OK;
    }
    if (!stored) {
        if (db_->inTransaction()) {
            db_->exec("ROLLBACK");
        }
        keyCache_.clear();  // keys created in the undone transaction are gone again
    }
    doomed_ = false;
    cacheCheckedInTransaction_ = false;
    if (light_) {
        light_ = false;
        db_->exec("PRAGMA synchronous = FULL");
    }
    return stored;
}

}  // namespace quorvel::registry
