#include "outlook/local/store/table_sources.h"

#include <algorithm>
#include <set>

#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"

namespace outlook::local {

using namespace mapi;

// --- FolderContentsSource

PropTagArray FolderContentsSource::defaultColumns() const {
    return {PR_ENTRYID, PR_INSTANCE_KEY,  PR_DISPLAY_NAME,
            PR_SUBJECT, PR_MESSAGE_CLASS, PR_LAST_MODIFICATION_TIME};
}

std::uint32_t FolderContentsSource::rowCount() {
    return store_->itemCount(folder_);
}

std::vector<RowKey> FolderContentsSource::keysAfter(std::optional<RowKey> after,
                                                    std::size_t limit) {
    return store_->itemIdsAfter(folder_, after.value_or(0), limit);
}

std::optional<RowKey> FolderContentsSource::keyBefore(RowKey key) {
    return store_->itemIdBefore(folder_, key);
}

RowSet FolderContentsSource::rows(const std::vector<RowKey>& keys, const PropTagArray& columns) {
    std::vector<ULONG> ids;
    for (PropTag tag : columns)
        ids.push_back(PROP_ID(tag));
    // A contact's address book id depends on its e-mail address.
    ids.push_back(PROP_ID(store_->known()[Known::Email1Address]));
    std::lock_guard lock(store_->mutex());
    auto props = store_->loadProps(keys, &ids);
    RowSet out;
    out.reserve(keys.size());
    for (RowKey key : keys) {
        const auto it = props.find(key);
        if (it == props.end()) continue;
        // A row for a key outside the folder (moved meanwhile) is not part of the table.
        if (keys.size() == 1 && store_->folderOfItem(key) != folder_) continue;
        out.push_back(buildRow(it->second, columns, [&](PropTag tag) {
            return store_->computedItemProp(key, folder_, it->second, tag);
        }));
    }
    return out;
}

std::optional<std::pair<ULONG, RowKey>> FolderContentsSource::eventFor(const Change& change) {
    if (change.scope != ChangeScope::Folder || change.folder != folder_) return std::nullopt;
    switch (change.type) {
        case ChangeType::Added:
            return std::pair{TABLE_ROW_ADDED, change.row};
        case ChangeType::Modified:
            return std::pair{TABLE_ROW_MODIFIED, change.row};
        case ChangeType::Deleted:
            return std::pair{TABLE_ROW_DELETED, change.row};
    }
    return std::nullopt;
}

// --- AddressBookSource

PropTagArray AddressBookSource::defaultColumns() const {
    return {PR_ENTRYID,       PR_INSTANCE_KEY, PR_DISPLAY_NAME, PR_ADDRTYPE,
            PR_EMAIL_ADDRESS, PR_OBJECT_TYPE,  PR_DISPLAY_TYPE};
}

std::uint32_t AddressBookSource::rowCount() {
    return store_->addressBook().count();
}

std::vector<RowKey> AddressBookSource::keysAfter(std::optional<RowKey> after, std::size_t limit) {
    return store_->addressBook().keysAfter(after, limit);
}

std::optional<RowKey> AddressBookSource::keyBefore(RowKey key) {
    return store_->addressBook().keyBefore(key);
}

RowSet AddressBookSource::rows(const std::vector<RowKey>& keys, const PropTagArray& columns) {
    return store_->addressBook().rows(keys, columns);
}

std::optional<std::pair<ULONG, RowKey>> AddressBookSource::eventFor(const Change& change) {
    const bool contacts = change.scope == ChangeScope::Folder &&
                          change.folder == store_->folder(FolderKind::Contacts).id;
    if (change.scope != ChangeScope::AddressBook && !contacts) return std::nullopt;
    return std::pair{TABLE_CHANGED, RowKey(0)};
}

// --- DistListSource

PropTagArray DistListSource::defaultColumns() const {
    return AddressBookSource(store_).defaultColumns();
}

std::uint32_t DistListSource::rowCount() {
    return static_cast<std::uint32_t>(store_->addressBook().members(list_).size());
}

std::vector<RowKey> DistListSource::keysAfter(std::optional<RowKey> after, std::size_t limit) {
    const auto count = static_cast<RowKey>(store_->addressBook().members(list_).size());
    std::vector<RowKey> keys;
    for (RowKey key = after ? *after + 1 : 0; key < count && keys.size() < limit; ++key)
        keys.push_back(key);
    return keys;
}

std::optional<RowKey> DistListSource::keyBefore(RowKey key) {
    if (key <= 0) return std::nullopt;
    return key - 1;
}

RowSet DistListSource::rows(const std::vector<RowKey>& keys, const PropTagArray& columns) {
    auto& book = store_->addressBook();
    const auto members = book.members(list_);
    RowSet out;
    for (RowKey key : keys) {
        if (key < 0 || key >= static_cast<RowKey>(members.size())) continue;
        auto entry = book.load(members[static_cast<std::size_t>(key)]);
        if (!entry) continue;
        out.push_back(
            buildRow(entry->props, columns, [&](PropTag tag) -> std::optional<SPropValue> {
                if (PROP_ID(tag) == PROP_ID(PR_INSTANCE_KEY))
                    return SPropValue::binary(PR_INSTANCE_KEY, instanceKey(key));
                return book.computedProp(*entry, tag);
            }));
    }
    return out;
}

std::optional<std::pair<ULONG, RowKey>> DistListSource::eventFor(const Change& change) {
    if (change.scope != ChangeScope::AddressBook) return std::nullopt;
    return std::pair{TABLE_CHANGED, RowKey(0)};
}

}  // namespace outlook::local
