#include "outlook/local/store/entry_id.h"

namespace outlook::local {
namespace {

constexpr std::uint8_t kHeader[3] = {0x00, 'J', 'W'};

void appendBigEndian(mapi::Binary& out, std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (int shift = 56; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

}  // namespace

mapi::EntryId makeEntryId(EntryKind kind, const StoreUid& store, std::int64_t row) {
    mapi::EntryId id;
    id.reserve(kEntryIdSize);
    id.insert(id.end(), kHeader, kHeader + 3);
    id.push_back(static_cast<std::uint8_t>(kind));
    id.insert(id.end(), store.begin(), store.end());
    appendBigEndian(id, row);
    return id;
}

std::optional<EntryRef> parseEntryId(const mapi::EntryId& id) {
    if (id.size() != kEntryIdSize || id[0] != kHeader[0] || id[1] != kHeader[1] ||
        id[2] != kHeader[2])
        return std::nullopt;
    if (id[3] < static_cast<std::uint8_t>(EntryKind::Store) ||
        id[3] > static_cast<std::uint8_t>(EntryKind::AddressBookRoot))
        return std::nullopt;
    EntryRef ref;
    ref.kind = static_cast<EntryKind>(id[3]);
    std::copy(id.begin() + 4, id.begin() + 20, ref.store.begin());
    std::uint64_t row = 0;
    for (std::size_t i = 20; i < kEntryIdSize; ++i)
        row = row << 8 | id[i];
    ref.row = static_cast<std::int64_t>(row);
    return ref;
}

mapi::Binary instanceKey(std::int64_t key) {
    mapi::Binary bytes;
    appendBigEndian(bytes, key);
    return bytes;
}

}  // namespace outlook::local
