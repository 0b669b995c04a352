#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "outlook/local/sqlite/database.h"

namespace outlook::local {

// Opens the database file of a store, creating it when it does not exist.
//
// A new store is built under a temporary name and linked into place only when complete,
// so that a crash during creation never leaves a half-made file that later opens would
// refuse. An existing file is checked before anything is written to it: a file that is
// not a store, is damaged, or was written by a newer program is refused and left as it is.
// A store that cannot be written (a read-only file, read-only media) opens for reading.
class StoreFile {
public:
    struct Opened {
        std::unique_ptr<sqlite::Database> db;
        bool created = false;
        // The file or its folder cannot be written: the store can only be read.
        bool readOnly = false;
    };

    // nullptr db with `error` set when the file cannot be used.
    static Opened open(const std::filesystem::path& path, std::string& error);

    // $XDG_DATA_HOME/jotwise/outlook.db, or $HOME/.local/share/jotwise/outlook.db.
    static std::filesystem::path defaultPath();

private:
    static bool createNew(const std::filesystem::path& path, std::string& error);
    static bool looksLikeSqlite(const std::filesystem::path& path, std::string& error);
};

}  // namespace outlook::local
