#pragma once

#include <memory>

#include "outlook/local/store/table_source.h"

namespace outlook::local {

class Store;

// The items of one folder, by item id.
class FolderContentsSource : public TableSource {
public:
    FolderContentsSource(std::shared_ptr<Store> store, std::int64_t folder)
        : store_(std::move(store)), folder_(folder) {}

    mapi::PropTagArray defaultColumns() const override;
    std::uint32_t rowCount() override;
    std::vector<RowKey> keysAfter(std::optional<RowKey> after, std::size_t limit) override;
    std::optional<RowKey> keyBefore(RowKey key) override;
    mapi::RowSet rows(const std::vector<RowKey>& keys, const mapi::PropTagArray& columns) override;
    std::optional<std::pair<mapi::ULONG, RowKey>> eventFor(const Change& change) override;

private:
    std::shared_ptr<Store> store_;
    std::int64_t folder_;
};

// Every address book entry and every contact with an e-mail address. Any change to them
// is reported as TABLE_CHANGED.
class AddressBookSource : public TableSource {
public:
    explicit AddressBookSource(std::shared_ptr<Store> store) : store_(std::move(store)) {}

    mapi::PropTagArray defaultColumns() const override;
    std::uint32_t rowCount() override;
    std::vector<RowKey> keysAfter(std::optional<RowKey> after, std::size_t limit) override;
    std::optional<RowKey> keyBefore(RowKey key) override;
    mapi::RowSet rows(const std::vector<RowKey>& keys, const mapi::PropTagArray& columns) override;
    std::optional<std::pair<mapi::ULONG, RowKey>> eventFor(const Change& change) override;

private:
    std::shared_ptr<Store> store_;
};

// The members of a distribution list, by position.
class DistListSource : public TableSource {
public:
    DistListSource(std::shared_ptr<Store> store, std::int64_t list)
        : store_(std::move(store)), list_(list) {}

    mapi::PropTagArray defaultColumns() const override;
    std::uint32_t rowCount() override;
    std::vector<RowKey> keysAfter(std::optional<RowKey> after, std::size_t limit) override;
    std::optional<RowKey> keyBefore(RowKey key) override;
    mapi::RowSet rows(const std::vector<RowKey>& keys, const mapi::PropTagArray& columns) override;
    std::optional<std::pair<mapi::ULONG, RowKey>> eventFor(const Change& change) override;

private:
    std::shared_ptr<Store> store_;
    std::int64_t list_;
};

}  // namespace outlook::local
