#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "outlook/local/store/change.h"
#include "outlook/mapi.h"

namespace outlook::local {

// Rows of a table are identified by keys, listed in ascending order.
using RowKey = std::int64_t;

// What a table shows: the store's rows behind a folder's contents, the address book or a
// distribution list. Sources read the database on every call, so tables stay current.
class TableSource {
public:
    virtual ~TableSource() = default;
    virtual mapi::PropTagArray defaultColumns() const = 0;
    virtual std::uint32_t rowCount() = 0;
    // Up to `limit` keys after `after` (from the first row when nothing).
    virtual std::vector<RowKey> keysAfter(std::optional<RowKey> after, std::size_t limit) = 0;
    // The key of the row before `key`, if any.
    virtual std::optional<RowKey> keyBefore(RowKey key) = 0;
    // One row per key that still exists, with the values of `columns` in order.
    virtual mapi::RowSet rows(const std::vector<RowKey>& keys,
                              const mapi::PropTagArray& columns) = 0;
    // The row event a committed change means for this table (TABLE_ROW_ADDED, ..., or
    // TABLE_CHANGED when the table cannot tell which row), with the row's key.
    virtual std::optional<std::pair<mapi::ULONG, RowKey>> eventFor(const Change& change) = 0;
};

// A table's source and its current columns, shared by the table object and its advise
// connections so that notifications carry the columns the table has when a change commits.
class TableState {
public:
    explicit TableState(std::shared_ptr<TableSource> source)
        : source_(std::move(source)), columns_(source_->defaultColumns()) {}

    TableSource& source() const { return *source_; }
    mapi::PropTagArray columns() const {
        std::lock_guard lock(mutex_);
        return columns_;
    }
    void setColumns(mapi::PropTagArray columns) {
        std::lock_guard lock(mutex_);
        columns_ = columns.empty() ? source_->defaultColumns() : std::move(columns);
    }

private:
    std::shared_ptr<TableSource> source_;
    mutable std::mutex mutex_;
    mapi::PropTagArray columns_;
};

}  // namespace outlook::local
