#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "outlook/local/sqlite/database.h"

namespace jotwise::testing {

// Another program's connection to the same store file, holding its write lock while it lives.
class OtherWriter {
public:
    explicit OtherWriter(const std::filesystem::path& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        locked_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~OtherWriter() {
        release();
        sqlite3_close(db_);
    }
    bool locked() const { return locked_; }
    void release() {
        if (locked_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        locked_ = false;
    }

private:
    sqlite3* db_ = nullptr;
    bool locked_ = false;
};

// The store's database as full as a full disk makes it, while this lives: no page can be
// added and every free one is taken. Small rows may still fit into pages in use; a text of a
// few kilobytes needs pages of its own.
class FullDisk {
public:
    explicit FullDisk(outlook::local::sqlite::Database& db) : db_(db) {
        db_.exec("CREATE TABLE IF NOT EXISTS filler(x BLOB)");
        db_.exec("PRAGMA max_page_count = " + std::to_string(db_.queryInt("PRAGMA page_count")));
        try {
            for (;;)
                db_.exec("INSERT INTO filler VALUES(zeroblob(512))");
        } catch (const std::exception&) {
        }
    }
    ~FullDisk() {
        db_.exec("PRAGMA max_page_count = 1073741823");
        db_.exec("DROP TABLE filler");
    }

private:
    outlook::local::sqlite::Database& db_;
};

}  // namespace jotwise::testing
