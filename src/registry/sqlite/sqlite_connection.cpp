#include "registry/sqlite/sqlite_connection.h"

#include <sqlite3.h>

namespace quorvel::registry {

Statement::~Statement() {
    if (statement_ != nullptr) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

Statement& Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindBlob(int index, std::span<const std::uint8_t> data) {
    // A zero-length blob must still be a blob, not NULL: the column is NOT NULL.
    static constexpr std::uint8_t kNothing = 0;
    sqlite3_bind_blob(statement_, index, data.empty() ? &kNothing : data.data(),
                      static_cast<int>(data.size()), SQLITE_TRANSIENT);
    return *this;
}

int Statement::step() {
    return sqlite3_step(statement_);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string Statement::text(int column) const {
    const auto* bytes = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes == nullptr ? std::string() : std::string(static_cast<const char*>(bytes), size);
}

std::span<const std::uint8_t> Statement::blob(int column) const {
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes == nullptr ? std::span<const std::uint8_t>() : std::span(bytes, size);
}

SqliteConnection::SqliteConnection(const std::string& path, Mode mode) {
    const int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX;
    const int result = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (result != SQLITE_OK) {
        std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(result);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw StoreError("The registry store \"" + path + "\" cannot be opened: " + reason + ".");
    }
    sqlite3_extended_result_codes(db_, 1);
}

SqliteConnection::~SqliteConnection() {
    for (auto& [sql, statement] : cache_) {
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db_);
}

int SqliteConnection::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

Statement SqliteConnection::prepare(const char* sql) {
    auto found = cache_.find(sql);
    if (found == cache_.end()) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
            SQLITE_OK) {
            return Statement(*this, nullptr);
        }
        found = cache_.emplace(sql, statement).first;
    }
    return Statement(*this, found->second);
}

std::int64_t SqliteConnection::changes() const {
    return sqlite3_changes64(db_);
}

bool SqliteConnection::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

std::string SqliteConnection::errorMessage() const {
    return sqlite3_errmsg(db_);
}

}  // namespace quorvel::registry
