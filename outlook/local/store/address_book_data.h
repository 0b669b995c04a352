#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/local/store/entry_id.h"
#include "outlook/local/store/property_bag.h"
#include "outlook/local/store/table_source.h"

namespace outlook::local {

class Store;

// An address book entry: a mail user, a distribution list, or a contact with an e-mail
// address seen as a mail user.
struct AddressEntry {
    EntryKind kind = EntryKind::MailUser;
    std::int64_t row = 0;  // address book row, or the contact's item id
    mapi::EntryId entryId;
    PropertyBag props;  // stored values only; see computedProp
};

struct AddressMatch {
    mapi::EntryId entry;
    EntryKind kind = EntryKind::MailUser;
    std::string displayName;
    std::string address;  // e-mail address; empty for distribution lists
};

// The address book part of a store.
class AddressBookData {
public:
    explicit AddressBookData(Store& store) : store_(store) {}

    // `props` needs PR_DISPLAY_NAME and PR_EMAIL_ADDRESS (std::invalid_argument otherwise);
    // PR_ADDRTYPE defaults to "SMTP". Returns the entry's row.
    std::int64_t addMailUser(PropertyBag props);
    // Members are address book or contact entry ids of this store.
    std::int64_t addDistList(const std::string& name, const std::vector<mapi::EntryId>& members);
    bool remove(const mapi::EntryId& entry);

    std::optional<AddressEntry> load(const mapi::EntryId& entry);
    std::vector<mapi::EntryId> members(std::int64_t list);
    // PR_ENTRYID, PR_OBJECT_TYPE, PR_DISPLAY_TYPE, PR_INSTANCE_KEY, PR_RECORD_KEY of an entry.
    std::optional<mapi::SPropValue> computedProp(const AddressEntry& entry,
                                                 mapi::PropTag tag) const;
    // An address book entry's view of a contact; empty when it has no e-mail address.
    PropertyBag contactUserProps(std::int64_t contact, const PropertyBag& contactProps) const;

    // Entries whose display name or e-mail address is `text` (case-insensitively), or
    // whose full name is, for contacts; "Name (address)" matches by its address.
    std::vector<AddressMatch> find(std::string_view text);
    // A mail user or contact with this e-mail address, if any.
    std::optional<AddressMatch> findByAddress(std::string_view address);

    // The whole address book as a table: entries first, then contacts with an address.
    std::uint32_t count();
    std::vector<RowKey> keysAfter(std::optional<RowKey> after, std::size_t limit);
    std::optional<RowKey> keyBefore(RowKey key);
    mapi::RowSet rows(const std::vector<RowKey>& keys, const mapi::PropTagArray& columns);
    std::optional<AddressEntry> loadKey(RowKey key);

private:
    static constexpr RowKey kContactKeyBase = RowKey(1) << 40;
    std::vector<std::int64_t> contactUserIds(std::int64_t after, std::size_t limit);
    std::optional<AddressEntry> loadEntry(EntryKind kind, std::int64_t row);
    AddressMatch matchOf(const AddressEntry& entry) const;

    Store& store_;
};

}  // namespace outlook::local
