#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace outlook::local::sqlite {

// A prepared statement. Parameters are numbered from 1, columns from 0.
class Statement {
public:
    explicit Statement(sqlite3_stmt* statement) : statement_(statement) {}
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const std::vector<std::uint8_t>& blob);
    Statement& bindNull(int index);

    // Runs to the next row: true while there is one. Throws SqliteError on failure.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    // Makes the statement ready to run again with new parameters.
    void reset();

    enum class ColumnType { Integer, Float, Text, Blob, Null };
    ColumnType columnType(int column) const;
    std::int64_t columnInt(int column) const;
    double columnDouble(int column) const;
    std::string columnText(int column) const;
    std::vector<std::uint8_t> columnBlob(int column) const;
    bool columnIsNull(int column) const { return columnType(column) == ColumnType::Null; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace outlook::local::sqlite
