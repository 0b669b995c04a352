#pragma once

#include <string>

namespace outlook::local::sqlite {

class Database;

// A write transaction (BEGIN IMMEDIATE, so that it waits for another writer up front
// instead of failing half-way), or a savepoint when one is already open. Rolled back
// unless commit() is called.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& db_;
    std::string savepoint_;  // empty for the outermost transaction
    bool open_ = true;
};

}  // namespace outlook::local::sqlite
