#include "platform/SqliteConnection.h"

#include <sqlite3.h>

namespace platform {

SqliteStatement::SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t number) {
    sqlite3_bind_int64(statement_, index, number);
    return *this;
}

int SqliteStatement::step() {
    return sqlite3_step(statement_);
}

bool SqliteStatement::run() {
    int rc;
    do {
        rc = sqlite3_step(statement_);
    } while (rc == SQLITE_ROW);
    return rc == SQLITE_DONE;
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::columnInt(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::columnText(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
                : std::string();
}

std::string_view SqliteStatement::columnView(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string_view(reinterpret_cast<const char*>(text),
                                   static_cast<std::size_t>(size))
                : std::string_view();
}

int SqliteStatement::columnType(int column) const {
    return sqlite3_column_type(statement_, column);
}

SqliteConnection::~SqliteConnection() {
    close();
}

int SqliteConnection::open(const std::string& path, bool create) {
    close();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (create) {
        flags |= SQLITE_OPEN_CREATE;
    }
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        close();
    } else {
        sqlite3_extended_result_codes(db_, 0);
    }
    return rc;
}

void SqliteConnection::close() {
    statements_.clear();
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

SqliteQuery SqliteConnection::prepare(const char* sql) {
    if (db_ == nullptr) {
        return SqliteQuery(nullptr);
    }
    if (auto found = statements_.find(std::string_view(sql)); found != statements_.end()) {
        // A use that is still open elsewhere ends here rather than
        // silently refusing the new bindings.
        found->second.reset();
        return SqliteQuery(&found->second);
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return SqliteQuery(nullptr);
    }
    auto [it, inserted] = statements_.emplace(std::piecewise_construct, std::forward_as_tuple(sql),
                                              std::forward_as_tuple(raw));
    return SqliteQuery(&it->second);
}

int SqliteConnection::exec(const char* sql) {
    return db_ ? sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) : SQLITE_MISUSE;
}

void SqliteConnection::setBusyTimeout(int milliseconds) {
    if (db_ != nullptr) {
        sqlite3_busy_timeout(db_, milliseconds);
    }
}

int SqliteConnection::lastError() const {
    return db_ ? sqlite3_errcode(db_) : SQLITE_CANTOPEN;
}

std::string SqliteConnection::lastMessage() const {
    return db_ ? sqlite3_errmsg(db_) : "not open";
}

std::int64_t SqliteConnection::changes() const {
    return db_ ? sqlite3_changes64(db_) : 0;
}

}  // namespace platform
