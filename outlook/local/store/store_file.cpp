#include "outlook/local/store/store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "outlook/local/sqlite/sqlite_error.h"
#include "outlook/local/sqlite/transaction.h"
#include "outlook/local/store/schema.h"
#include "platform/file_descriptor.h"
#include "platform/user_folders.h"

namespace outlook::local {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// Creates the missing folders of `folder` with mode 0700.
bool makeFolders(const fs::path& folder, std::string& error) {
    if (folder.empty() || fs::is_directory(folder)) return true;
    if (!makeFolders(folder.parent_path(), error)) return false;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "Cannot create the folder " + quoted(folder) + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void applyConnectionSettings(sqlite::Database& db) {
    db.setBusyTimeout(std::chrono::seconds(5));
    db.exec("PRAGMA foreign_keys = ON");
}

}  // namespace

fs::path StoreFile::defaultPath() {
    return platform::userDataFolder() / "jotwise" / "outlook.db";
}

bool StoreFile::createNew(const fs::path& path, std::string& error) {
    if (!makeFolders(path.parent_path(), error)) return false;
    std::string pattern = path.string() + ".new-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = "Cannot create " + quoted(path) + ": " + std::strerror(errno);
        return false;
    }
    ::fchmod(fd, 0600);
    ::close(fd);
    const fs::path temporary = pattern;
    try {
        {
            sqlite::Database db(temporary, sqlite::Database::Mode::ReadWrite);
            db.exec("PRAGMA synchronous = FULL");
            sqlite::Transaction transaction(db);
            Schema::create(db);
            transaction.commit();
        }
        // link() fails when another process created the store meanwhile: that one is kept.
        if (::link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST) {
            error = "Cannot create " + quoted(path) + ": " + std::strerror(errno);
            ::unlink(temporary.c_str());
            return false;
        }
    } catch (const sqlite::SqliteError& e) {
        error = "Cannot create " + quoted(path) + ": " + e.what();
        ::unlink(temporary.c_str());
        return false;
    }
    ::unlink(temporary.c_str());
    return true;
}

bool StoreFile::looksLikeSqlite(const fs::path& path, std::string& error) {
    static constexpr char kMagic[16] = "SQLite format 3";  // with its terminating NUL
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error = "Cannot open the store " + quoted(path) + ": it is not a regular file";
        return false;
    }
    const platform::Fd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) {
        error = "Cannot open the store " + quoted(path) + ": " + std::strerror(errno);
        return false;
    }
    char header[16] = {};
    if (::pread(file.fd, header, sizeof header, 0) != sizeof header ||
        std::memcmp(header, kMagic, sizeof kMagic) != 0) {
        error = "Cannot open the store " + quoted(path) +
                ": it is not a jotwise store (not an SQLite database); the file was left as it "
                "is";
        return false;
    }
    return true;
}

// How a store that exists can be opened: for writing when it and its folder can be written
// (SQLite keeps its log and shared-memory files beside it), else for reading; on read-only
// media, where not even those files can be made, as a file nothing changes.
sqlite::Database::Mode openingMode(const fs::path& path) {
    using Mode = sqlite::Database::Mode;
    const bool folderWritable = ::access(path.parent_path().c_str(), W_OK) == 0;
    if (::access(path.c_str(), W_OK) == 0 && folderWritable) return Mode::ReadWrite;
    std::error_code ec;
    const fs::path log = path.string() + "-wal";
    const bool unfinishedLog = fs::exists(log, ec) && fs::file_size(log, ec) > 0;
    return folderWritable || unfinishedLog ? Mode::ReadOnly : Mode::Immutable;
}

StoreFile::Opened StoreFile::open(const fs::path& path, std::string& error) {
    Opened opened;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) {
        if (!createNew(path, error)) return opened;
        opened.created = true;
    }
    if (!looksLikeSqlite(path, error)) return opened;
    try {
        auto db = std::make_unique<sqlite::Database>(path, openingMode(path));
        applyConnectionSettings(*db);
        std::string reason;
        if (Schema::storedVersion(*db, reason) == 0) {
            error = "Cannot open the store " + quoted(path) + ": " + reason +
                    "; the file was left as it is";
            return opened;
        }
        opened.readOnly = db->readOnly();
        if (!opened.readOnly) {
            db->exec("PRAGMA journal_mode = WAL");
            db->exec("PRAGMA synchronous = FULL");
        }
        opened.db = std::move(db);
    } catch (const sqlite::SqliteError& e) {
        error = "Cannot open the store " + quoted(path) + ": " + e.what() +
                "; the file was left as it is";
    }
    return opened;
}

}  // namespace outlook::local
