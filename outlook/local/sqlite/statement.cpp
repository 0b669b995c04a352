#include "outlook/local/sqlite/statement.h"

#include <sqlite3.h>

#include <utility>

#include "outlook/local/sqlite/database.h"

namespace outlook::local::sqlite {

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement::Statement(Statement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    std::swap(statement_, other.statement_);
    return *this;
}

namespace {

void check(sqlite3_stmt* statement, int rc) {
    if (rc != SQLITE_OK) throwError(sqlite3_db_handle(statement), rc, "Cannot bind parameter");
}

}  // namespace

Statement& Statement::bind(int index, std::int64_t value) {
    check(statement_, sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value) {
    check(statement_, sqlite3_bind_double(statement_, index, value));
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    check(statement_, sqlite3_bind_text64(statement_, index, text.data(), text.size(),
                                          SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

Statement& Statement::bind(int index, const std::vector<std::uint8_t>& blob) {
    // A zero-length blob must stay a blob, not become NULL, so it never passes nullptr.
    static const std::uint8_t kEmpty = 0;
    check(statement_, sqlite3_bind_blob64(statement_, index, blob.empty() ? &kEmpty : blob.data(),
                                          blob.size(), SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindNull(int index) {
    check(statement_, sqlite3_bind_null(statement_, index));
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3* db = sqlite3_db_handle(statement_);
    sqlite3_reset(statement_);
    throwError(db, rc, "Statement failed");
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

Statement::ColumnType Statement::columnType(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_INTEGER:
            return ColumnType::Integer;
        case SQLITE_FLOAT:
            return ColumnType::Float;
        case SQLITE_TEXT:
            return ColumnType::Text;
        case SQLITE_BLOB:
            return ColumnType::Blob;
        default:
            return ColumnType::Null;
    }
}

std::int64_t Statement::columnInt(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::columnDouble(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::columnText(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
                : std::string();
}

std::vector<std::uint8_t> Statement::columnBlob(int column) const {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>();
}

}  // namespace outlook::local::sqlite
