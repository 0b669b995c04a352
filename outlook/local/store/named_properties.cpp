#include "outlook/local/store/named_properties.h"

#include <cstdio>
#include <stdexcept>

#include "outlook/local/sqlite/database.h"

namespace outlook::local {

using namespace mapi;

Binary guidBytes(const GUID& guid) {
    Binary bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(guid.data1 >> shift));
    bytes.push_back(static_cast<std::uint8_t>(guid.data2 >> 8));
    bytes.push_back(static_cast<std::uint8_t>(guid.data2));
    bytes.push_back(static_cast<std::uint8_t>(guid.data3 >> 8));
    bytes.push_back(static_cast<std::uint8_t>(guid.data3));
    bytes.insert(bytes.end(), guid.data4, guid.data4 + 8);
    return bytes;
}

GUID guidFromBytes(const Binary& bytes) {
    GUID guid;
    if (bytes.size() != 16) return guid;
    guid.data1 =
        static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    guid.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    std::copy(bytes.begin() + 8, bytes.end(), guid.data4);
    return guid;
}

std::string formatGuid(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.data1, guid.data2, guid.data3, guid.data4[0], guid.data4[1], guid.data4[2],
                  guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    return text;
}

NamedProperties::Key NamedProperties::keyOf(const MAPINAMEID& name) {
    // A numeric name ignores the text and a string name ignores the number.
    if (name.ulKind == MNID_STRING) return {guidBytes(name.guid), MNID_STRING, 0, name.name};
    return {guidBytes(name.guid), MNID_ID, name.lID, std::string()};
}

NamedProperties::NamedProperties(sqlite::Database& db) : db_(db) {
    reload();
}

void NamedProperties::reload() {
    ids_.clear();
    names_.clear();
    auto query = db_.prepare("SELECT id, guid, kind, lid, name FROM named_props");
    while (query.step()) {
        MAPINAMEID name;
        name.guid = guidFromBytes(query.columnBlob(1));
        name.ulKind = query.columnInt(2) == MNID_STRING ? MNID_STRING : MNID_ID;
        name.lID = static_cast<std::int32_t>(query.columnInt(3));
        name.name = query.columnText(4);
        const auto id = static_cast<ULONG>(query.columnInt(0));
        ids_[keyOf(name)] = id;
        names_[id] = std::move(name);
    }
}

std::optional<ULONG> NamedProperties::find(const MAPINAMEID& name) const {
    const auto it = ids_.find(keyOf(name));
    return it == ids_.end() ? std::nullopt : std::optional(it->second);
}

ULONG NamedProperties::idFor(const MAPINAMEID& name) {
    if (auto id = find(name)) return *id;
    // Another process may have allocated names since this map was read.
    reload();
    if (auto id = find(name)) return *id;
    const ULONG id = names_.empty() ? 0x8000 : names_.rbegin()->first + 1;
    if (id > 0xFFFE) throw std::runtime_error("No more named property ids are free");
    const auto& [guid, kind, lid, text] = keyOf(name);
    db_.prepare("INSERT INTO named_props(id, guid, kind, lid, name) VALUES(?, ?, ?, ?, ?)")
        .bind(1, static_cast<std::int64_t>(id))
        .bind(2, guid)
        .bind(3, static_cast<std::int64_t>(kind))
        .bind(4, static_cast<std::int64_t>(lid))
        .bind(5, std::string_view(text))
        .run();
    MAPINAMEID stored = name;
    stored.ulKind = kind;
    stored.lID = lid;
    stored.name = text;
    ids_[keyOf(stored)] = id;
    names_[id] = std::move(stored);
    return id;
}

const MAPINAMEID* NamedProperties::nameOf(ULONG id) const {
    const auto it = names_.find(id);
    return it == names_.end() ? nullptr : &it->second;
}

}  // namespace outlook::local
