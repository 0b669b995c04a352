#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "outlook/mapi.h"

namespace outlook::local {

// What an entry id names. The number is part of the stored id: never renumber.
enum class EntryKind : std::uint8_t {
    Store = 1,
    Folder = 2,
    Message = 3,
    MailUser = 4,
    DistList = 5,
    ContactUser = 6,  // a contact with an e-mail address, seen as an address book entry
    AddressBookRoot = 7,
};

using StoreUid = std::array<std::uint8_t, 16>;

struct EntryRef {
    EntryKind kind = EntryKind::Store;
    StoreUid store{};
    std::int64_t row = 0;
};

// Entry ids are 28 bytes: a 4-byte header (0, 'J', 'W', kind), the store's 16-byte uid and
// the row id (8 bytes, big-endian). Their hex form is 56 characters.
inline constexpr std::size_t kEntryIdSize = 28;

mapi::EntryId makeEntryId(EntryKind kind, const StoreUid& store, std::int64_t row);
// Nothing when `id` is not an entry id of this format.
std::optional<EntryRef> parseEntryId(const mapi::EntryId& id);

// PR_INSTANCE_KEY of a table row: the row key's 8 bytes.
mapi::Binary instanceKey(std::int64_t key);

}  // namespace outlook::local
