#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// One prepared statement of a SqliteConnection, reset and cleared on each use.
// Columns and parameters count from 1 for binding and from 0 for reading, as
// SQLite does.
class SqliteStatement {
  public:
    explicit SqliteStatement(sqlite3_stmt* statement);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bind(int index, std::int64_t number);

    // Advances to the next row: SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs the statement to its end; true when it finished without error.
    bool run();

    // Ends the current use: the statement releases its read snapshot.
    void reset();

    std::int64_t columnInt(int column) const;
    std::string columnText(int column) const;
    // The same without a copy, valid until the next step or reset.
    std::string_view columnView(int column) const;
    int columnType(int column) const;

  private:
    sqlite3_stmt* statement_;
};

// One use of a cached statement; resetting it on scope exit keeps a finished
// SELECT from holding its read snapshot, which would hide other processes'
// later writes.
class SqliteQuery {
  public:
    explicit SqliteQuery(SqliteStatement* statement) : statement_(statement) {}
    ~SqliteQuery() {
        if (statement_ != nullptr) {
            statement_->reset();
        }
    }
    SqliteQuery(const SqliteQuery&) = delete;
    SqliteQuery& operator=(const SqliteQuery&) = delete;

    explicit operator bool() const { return statement_ != nullptr; }
    SqliteStatement* operator->() const { return statement_; }

  private:
    SqliteStatement* statement_;
};

// A connection to one SQLite file with a cache of prepared statements.
class SqliteConnection {
  public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens the file; `create` allows it to be made. Returns the SQLite code.
    int open(const std::string& path, bool create);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // A cached statement for `sql`; empty when it cannot be prepared
    // (lastError() tells why).
    SqliteQuery prepare(const char* sql);
    int exec(const char* sql);
    void setBusyTimeout(int milliseconds);
    int lastError() const;
    std::string lastMessage() const;
    std::int64_t changes() const;

  private:
    sqlite3* db_ = nullptr;
    std::map<std::string, SqliteStatement, std::less<>> statements_;
};

}  // namespace platform
