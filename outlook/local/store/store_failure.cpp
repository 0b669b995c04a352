#include "outlook/local/store/store_failure.h"

#include <sqlite3.h>

namespace outlook::local {

std::string describeStoreFailure(const sqlite::SqliteError& error,
                                 const std::filesystem::path& path,
                                 std::chrono::milliseconds waited) {
    const std::string store = "The store '" + path.string() + "'";
    std::string meaning;
    switch (error.code() & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: {
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(waited).count();
            meaning = store + " is being changed by another program, which did not finish within " +
                      std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
            break;
        }
        case SQLITE_FULL:
            meaning = "The disk that holds the store '" + path.string() + "' is full";
            break;
        case SQLITE_READONLY:
            meaning = store + " cannot be written: it is read-only";
            break;
        case SQLITE_PERM:
        case SQLITE_AUTH:
            meaning = store + " cannot be written: permission denied";
            break;
        case SQLITE_IOERR:
            meaning = store + " could not be written: the disk reported an error";
            break;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            meaning = store + " is damaged";
            break;
        case SQLITE_NOMEM:
            meaning = "There was not enough memory to change the store '" + path.string() + "'";
            break;
        default:
            meaning = store + " could not be changed";
            break;
    }
    return meaning + " (" + sqlite3_errstr(error.code()) + ")";
}

}  // namespace outlook::local
