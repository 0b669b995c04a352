#include "outlook/local/sqlite/database.h"

#include <sqlite3.h>

#include "outlook/local/sqlite/sqlite_error.h"

namespace outlook::local::sqlite {

void throwError(sqlite3* db, int code, std::string_view what) {
    std::string message(what);
    message += ": ";
    message += db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw SqliteError(code, message);
}

namespace {

// A "file:" URI for the path, with the characters a URI gives a meaning to escaped.
std::string fileUri(const std::filesystem::path& path, std::string_view query) {
    std::string uri = "file:";
    for (const char c : path.string()) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[static_cast<unsigned char>(c) >> 4];
            uri += kHex[static_cast<unsigned char>(c) & 15];
        } else {
            uri += c;
        }
    }
    return uri + "?" + std::string(query);
}

// SQLite counts every block it allocates under a process-wide lock, for statistics the
// program never reads; reading a thousand contacts spent a twentieth of its time there.
// The setting must come before SQLite's first use, hence once, before the first opening.
void configureSqliteOnce() {
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}

}  // namespace

Database::Database(const std::filesystem::path& path, Mode mode) {
    configureSqliteOnce();
    int flags = SQLITE_OPEN_FULLMUTEX;
    std::string name = path.string();
    switch (mode) {
        case Mode::ReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Mode::ReadWriteCreate:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
        case Mode::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Mode::Immutable:
            flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
            name = fileUri(path, "immutable=1");
            break;
    }
    const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = "Cannot open '" + path.string() +
                              "': " + (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw SqliteError(rc, message);
    }
    sqlite3_extended_result_codes(db_, 1);
}

Database::~Database() {
    sqlite3_close_v2(db_);
}

void Database::exec(std::string_view sql) {
    const std::string text(sql);
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw SqliteError(rc, message);
    }
}

Statement Database::prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    const int rc =
        sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK) throwError(db_, rc, "Cannot prepare statement");
    return Statement(statement);
}

std::int64_t Database::queryInt(std::string_view sql, std::int64_t fallback) {
    Statement statement = prepare(sql);
    return statement.step() ? statement.columnInt(0) : fallback;
}

std::int64_t Database::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::changes() const {
    return sqlite3_changes(db_);
}

bool Database::readOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

bool Database::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

void Database::setBusyTimeout(std::chrono::milliseconds timeout) {
    sqlite3_busy_timeout(db_, static_cast<int>(timeout.count()));
}

}  // namespace outlook::local::sqlite
