#include "outlook/local/sqlite/transaction.h"

#include <atomic>

#include "outlook/local/sqlite/database.h"

namespace outlook::local::sqlite {

Transaction::Transaction(Database& db) : db_(db) {
    if (db_.inTransaction()) {
        static std::atomic<unsigned> counter{0};
        savepoint_ = "sp" + std::to_string(++counter);
        db_.exec("SAVEPOINT " + savepoint_);
    } else {
        db_.exec("BEGIN IMMEDIATE");
    }
}

Transaction::~Transaction() {
    if (!open_) return;
    try {
        if (savepoint_.empty()) {
            db_.exec("ROLLBACK");
        } else {
            db_.exec("ROLLBACK TO " + savepoint_);
            db_.exec("RELEASE " + savepoint_);
        }
    } catch (...) {
        // A failed rollback leaves SQLite to roll back when the connection closes.
    }
}

void Transaction::commit() {
    db_.exec(savepoint_.empty() ? std::string("COMMIT") : "RELEASE " + savepoint_);
    open_ = false;
}

}  // namespace outlook::local::sqlite
