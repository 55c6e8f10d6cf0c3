#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "registry/store_error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace quorvel::registry {

class SqliteConnection;

// A prepared statement borrowed from the connection's cache; it is reset and its bindings
// cleared when the borrow ends, so that no read stays open between calls.
class Statement {
  public:
    Statement(SqliteConnection& connection, sqlite3_stmt* statement)
        : connection_(&connection), statement_(statement) {}
    Statement(Statement&& other) noexcept
        : connection_(other.connection_), statement_(std::exchange(other.statement_, nullptr)) {}
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;
    ~Statement();

    explicit operator bool() const { return statement_ != nullptr; }

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::span<const std::uint8_t> data);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::span<const std::uint8_t> blob(int column) const;

  private:
    SqliteConnection* connection_;
    sqlite3_stmt* statement_;
};

class SqliteConnection {
  public:
    enum class Mode { ReadOnly, ReadWrite };
    // Throws StoreError with `what` and SQLite's own words when the file cannot be opened.
    SqliteConnection(const std::string& path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Runs statements that return no rows; the SQLite result code.
    int exec(const char* sql);
    // A cached prepared statement; an empty one when the text does not compile.
    Statement prepare(const char* sql);
    std::int64_t changes() const;
    bool inTransaction() const;
    std::string errorMessage() const;
    sqlite3* handle() { return db_; }

  private:
    sqlite3* db_ = nullptr;
    std::map<const char*, sqlite3_stmt*> cache_;
};

}  // namespace quorvel::registry
