#pragma once

#include <string>

namespace outlook::local {

namespace sqlite {
class Database;
}

// The store's tables. The version is kept in schema_version; a store written by a newer
// program is refused rather than misread.
class Schema {
public:
    static constexpr int kVersion = 1;

    // Creates every table and the default folders, in the caller's transaction.
    static void create(sqlite::Database& db);
    // The stored version, or 0 with `error` set when the database is not a store or cannot
    // be read. Reads only.
    static int storedVersion(sqlite::Database& db, std::string& error);
};

}  // namespace outlook::local
