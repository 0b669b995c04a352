#pragma once

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "outlook/local/sqlite/sqlite_error.h"

namespace outlook::local {

// A change of the store that failed: SQLite's result code, and a text that says what the
// failure means for the user followed by SQLite's reason.
class StoreFailure : public std::runtime_error {
public:
    StoreFailure(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// What a failed SQLite call on the store at `path` means to its user, followed by SQLite's
// own words in brackets: the store busy (after waiting `waited` for another program), the
// disk full, the file read-only, a disk error, a damaged file.
std::string describeStoreFailure(const sqlite::SqliteError& error,
                                 const std::filesystem::path& path,
                                 std::chrono::milliseconds waited);

}  // namespace outlook::local
