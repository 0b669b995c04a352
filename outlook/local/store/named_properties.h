#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "outlook/mapi.h"

namespace outlook::local {

namespace sqlite {
class Database;
}

// The store's map from named properties (property set + number or name) to property ids
// from 0x8000 up. Ids are allocated once and kept in the database.
class NamedProperties {
public:
    explicit NamedProperties(sqlite::Database& db);

    // The id of a known name; nothing when it has none yet.
    std::optional<mapi::ULONG> find(const mapi::MAPINAMEID& name) const;
    // The id of the name, allocating one when it has none (a write: call it inside a
    // transaction). Throws std::runtime_error when the id range is used up.
    mapi::ULONG idFor(const mapi::MAPINAMEID& name);
    // The name behind an id from 0x8000 up; nullptr when the id is not allocated.
    const mapi::MAPINAMEID* nameOf(mapi::ULONG id) const;
    // Re-reads the map (after a rolled-back transaction).
    void reload();

private:
    using Key = std::tuple<mapi::Binary, mapi::ULONG, std::int32_t, std::string>;
    static Key keyOf(const mapi::MAPINAMEID& name);

    sqlite::Database& db_;
    std::map<Key, mapi::ULONG> ids_;
    std::map<mapi::ULONG, mapi::MAPINAMEID> names_;
};

// "{00062004-0000-0000-C000-000000000046}"
std::string formatGuid(const mapi::GUID& guid);
mapi::Binary guidBytes(const mapi::GUID& guid);
mapi::GUID guidFromBytes(const mapi::Binary& bytes);

}  // namespace outlook::local
