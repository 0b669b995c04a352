#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "outlook/local/sqlite/statement.h"

struct sqlite3;

namespace outlook::local::sqlite {

// One open connection. Every failure throws SqliteError.
class Database {
public:
    // Immutable: read only, and nothing changes the file while it is open, so no lock or
    // shared-memory file is made beside it (a store on read-only media).
    enum class Mode { ReadWrite, ReadWriteCreate, ReadOnly, Immutable };

    Database(const std::filesystem::path& path, Mode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs one or more statements that return no rows.
    void exec(std::string_view sql);
    Statement prepare(std::string_view sql);
    // The first column of the first row of a query (an integer), or `fallback` without rows.
    std::int64_t queryInt(std::string_view sql, std::int64_t fallback = 0);

    std::int64_t lastInsertRowId() const;
    int changes() const;
    bool inTransaction() const;
    // Whether the file was opened (or could only be opened) for reading.
    bool readOnly() const;
    // How long a statement waits for another connection's lock before it fails as busy.
    void setBusyTimeout(std::chrono::milliseconds timeout);

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// The library's message for `db`'s last failure, prefixed with `what`.
[[noreturn]] void throwError(sqlite3* db, int code, std::string_view what);

}  // namespace outlook::local::sqlite
