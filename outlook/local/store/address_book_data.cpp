#include "outlook/local/store/address_book_data.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "outlook/local/sqlite/database.h"
#include "outlook/local/store/property_codec.h"
#include "outlook/local/store/property_value.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "platform/text.h"

namespace outlook::local {

using platform::equalsIgnoreCase;
using platform::trimmed;

using namespace mapi;

namespace {

// The contact fields an address book entry shows unchanged.
constexpr PropTag kCopiedContactTags[] = {PR_GIVEN_NAME,
                                          PR_SURNAME,
                                          PR_COMPANY_NAME,
                                          PR_TITLE,
                                          PR_COUNTRY,
                                          PR_LOCALITY,
                                          PR_STATE_OR_PROVINCE,
                                          PR_STREET_ADDRESS,
                                          PR_POSTAL_CODE,
                                          PR_POST_OFFICE_BOX,
                                          PR_BUSINESS_TELEPHONE_NUMBER};

bool isMailUserKind(EntryKind kind) {
    return kind == EntryKind::MailUser || kind == EntryKind::ContactUser;
}

}  // namespace

std::int64_t AddressBookData::addMailUser(PropertyBag props) {
    if (std::string(trimmed(props.string(PR_DISPLAY_NAME))).empty())
        throw std::invalid_argument("A mail user needs a display name");
    if (std::string(trimmed(props.string(PR_EMAIL_ADDRESS))).empty())
        throw std::invalid_argument("A mail user needs an e-mail address");
    if (!props.has(PR_ADDRTYPE)) props.setString(PR_ADDRTYPE, "SMTP");
    std::int64_t row = 0;
    auto& db = store_.db();
    store_.transact([&] {
        db.prepare("INSERT INTO ab_entries(type) VALUES(?)")
            .bind(1, static_cast<std::int64_t>(MAPI_MAILUSER))
            .run();
        row = db.lastInsertRowId();
        auto insert = db.prepare("INSERT INTO ab_props(entry, id, tag, value) VALUES(?, ?, ?, ?)");
        for (const auto& [id, value] : props.values()) {
            if (!isStorableType(PROP_TYPE(value.ulPropTag))) continue;
            insert.bind(1, row).bind(2, static_cast<std::int64_t>(id));
            insert.bind(3, static_cast<std::int64_t>(value.ulPropTag));
            bindPropValue(insert, 4, value);
            insert.run();
        }
        store_.recordChange({ChangeScope::AddressBook, ChangeType::Added, 0, row});
    });
    return row;
}

std::int64_t AddressBookData::addDistList(const std::string& name,
                                          const std::vector<EntryId>& members) {
    if (std::string(trimmed(name)).empty())
        throw std::invalid_argument("A distribution list needs a name");
    for (const auto& member : members) {
        if (!load(member))
            throw std::invalid_argument("No address book entry has the id " + HexFromBin(member));
    }
    std::int64_t row = 0;
    auto& db = store_.db();
    store_.transact([&] {
        db.prepare("INSERT INTO ab_entries(type) VALUES(?)")
            .bind(1, static_cast<std::int64_t>(MAPI_DISTLIST))
            .run();
        row = db.lastInsertRowId();
        auto insert = db.prepare("INSERT INTO ab_props(entry, id, tag, value) VALUES(?, ?, ?, ?)");
        insert.bind(1, row).bind(2, static_cast<std::int64_t>(PROP_ID(PR_DISPLAY_NAME)));
        insert.bind(3, static_cast<std::int64_t>(PR_DISPLAY_NAME)).bind(4, std::string_view(name));
        insert.run();
        insert.bind(1, row).bind(2, static_cast<std::int64_t>(PROP_ID(PR_ADDRTYPE)));
        insert.bind(3, static_cast<std::int64_t>(PR_ADDRTYPE)).bind(4, std::string_view("MAPIPDL"));
        insert.run();
        auto member = db.prepare("INSERT INTO ab_members(list, position, member) VALUES(?, ?, ?)");
        int position = 0;
        for (const auto& id : members)
            member.bind(1, row).bind(2, position++).bind(3, id).run();
        store_.recordChange({ChangeScope::AddressBook, ChangeType::Added, 0, row});
    });
    return row;
}

bool AddressBookData::remove(const EntryId& entry) {
    const auto ref = store_.parse(entry);
    if (!ref || (ref->kind != EntryKind::MailUser && ref->kind != EntryKind::DistList))
        return false;
    bool removed = false;
    store_.transact([&] {
        auto del = store_.db().prepare("DELETE FROM ab_entries WHERE id = ?");
        del.bind(1, ref->row).run();
        removed = store_.db().changes() > 0;
        if (removed)
            store_.recordChange({ChangeScope::AddressBook, ChangeType::Deleted, 0, ref->row});
    });
    return removed;
}

std::optional<AddressEntry> AddressBookData::loadEntry(EntryKind kind, std::int64_t row) {
    std::lock_guard lock(store_.mutex());
    AddressEntry entry;
    entry.kind = kind;
    entry.row = row;
    entry.entryId = store_.entryId(kind, row);
    if (kind == EntryKind::ContactUser) {
        const auto folder = store_.folderOfItem(row);
        if (!folder || *folder != store_.folder(FolderKind::Contacts).id) return std::nullopt;
        auto props = store_.loadProps({row});
        entry.props = contactUserProps(row, props[row]);
        if (entry.props.empty()) return std::nullopt;
        return entry;
    }
    auto& db = store_.db();
    auto type = db.prepare("SELECT type FROM ab_entries WHERE id = ?");
    if (!type.bind(1, row).step()) return std::nullopt;
    const ULONG expected = kind == EntryKind::DistList ? MAPI_DISTLIST : MAPI_MAILUSER;
    if (static_cast<ULONG>(type.columnInt(0)) != expected) return std::nullopt;
    auto query = db.prepare("SELECT tag, value FROM ab_props WHERE entry = ?");
    query.bind(1, row);
    while (query.step()) {
        const auto tag = static_cast<PropTag>(query.columnInt(0));
        if (auto value = readPropValue(query, 1, tag)) entry.props.set(std::move(*value));
    }
    entry.props.markSaved();
    return entry;
}

std::optional<AddressEntry> AddressBookData::load(const EntryId& id) {
    const auto ref = store_.parse(id);
    if (!ref) return std::nullopt;
    switch (ref->kind) {
        case EntryKind::MailUser:
        case EntryKind::DistList:
        case EntryKind::ContactUser:
            return loadEntry(ref->kind, ref->row);
        case EntryKind::Message:
            // A contact's own entry id names its address book view too.
            return loadEntry(EntryKind::ContactUser, ref->row);
        default:
            return std::nullopt;
    }
}

std::vector<EntryId> AddressBookData::members(std::int64_t list) {
    std::lock_guard lock(store_.mutex());
    auto query =
        store_.db().prepare("SELECT member FROM ab_members WHERE list = ? ORDER BY position");
    query.bind(1, list);
    std::vector<EntryId> out;
    while (query.step())
        out.push_back(query.columnBlob(0));
    return out;
}

std::optional<SPropValue> AddressBookData::computedProp(const AddressEntry& entry,
                                                        PropTag tag) const {
    const ULONG type = PROP_TYPE(tag);
    const bool list = entry.kind == EntryKind::DistList;
    switch (PROP_ID(tag)) {
        case PROP_ID(PR_ENTRYID):
            if (!sameValueType(type, PT_BINARY)) return std::nullopt;
            return SPropValue::binary(PR_ENTRYID, entry.entryId);
        case PROP_ID(tags::PR_RECORD_KEY):
            if (!sameValueType(type, PT_BINARY)) return std::nullopt;
            return SPropValue::binary(tags::PR_RECORD_KEY, entry.entryId);
        case PROP_ID(PR_INSTANCE_KEY):
            if (!sameValueType(type, PT_BINARY)) return std::nullopt;
            return SPropValue::binary(
                PR_INSTANCE_KEY,
                instanceKey(entry.kind == EntryKind::ContactUser ? kContactKeyBase + entry.row
                                                                 : entry.row));
        case PROP_ID(PR_OBJECT_TYPE):
            if (!sameValueType(type, PT_LONG)) return std::nullopt;
            return SPropValue::integer(
                PR_OBJECT_TYPE, static_cast<std::int32_t>(list ? MAPI_DISTLIST : MAPI_MAILUSER));
        case PROP_ID(PR_DISPLAY_TYPE):
            if (!sameValueType(type, PT_LONG)) return std::nullopt;
            return SPropValue::integer(
                PR_DISPLAY_TYPE,
                static_cast<std::int32_t>(list ? tags::DT_DISTLIST : tags::DT_MAILUSER));
        default:
            return std::nullopt;
    }
}

PropertyBag AddressBookData::contactUserProps(std::int64_t contact,
                                              const PropertyBag& contactProps) const {
    PropertyBag out;
    const std::string address(trimmed(contactProps.string(store_.known()[Known::Email1Address])));
    if (address.empty()) return out;
    std::string name(trimmed(contactProps.string(PR_DISPLAY_NAME)));
    if (name.empty()) name = trimmed(contactProps.string(store_.known()[Known::FileAs]));
    // Listed as the address book lists a contact's first e-mail address.
    out.setString(PR_DISPLAY_NAME, name.empty() ? address : name + " (E-mail)");
    out.setString(PR_ADDRTYPE, "SMTP");
    out.setString(PR_EMAIL_ADDRESS, address);
    for (PropTag tag : kCopiedContactTags)
        if (const SPropValue* value = contactProps.find(tag)) out.set(*value);
    out.set(SPropValue::binary(PR_ORIGINAL_ENTRYID, store_.itemEntryId(contact)));
    out.markSaved();
    return out;
}

AddressMatch AddressBookData::matchOf(const AddressEntry& entry) const {
    AddressMatch match;
    match.entry = entry.entryId;
    match.kind = entry.kind;
    match.displayName = entry.props.string(PR_DISPLAY_NAME);
    if (isMailUserKind(entry.kind)) match.address = entry.props.string(PR_EMAIL_ADDRESS);
    return match;
}

std::vector<AddressMatch> AddressBookData::find(std::string_view rawText) {
    std::lock_guard lock(store_.mutex());
    const std::string text(trimmed(rawText));
    std::vector<AddressMatch> out;
    if (text.empty()) return out;
    std::set<EntryId> seen;
    const auto add = [&](std::optional<AddressEntry> entry) {
        if (entry && seen.insert(entry->entryId).second) out.push_back(matchOf(*entry));
    };
    auto& db = store_.db();

    auto entries = db.prepare(
        "SELECT DISTINCT e.id, e.type FROM ab_entries e JOIN ab_props p ON p.entry = e.id "
        "WHERE p.id IN (?, ?) AND p.value = ? COLLATE NOCASE ORDER BY e.id");
    entries.bind(1, static_cast<std::int64_t>(PROP_ID(PR_DISPLAY_NAME)));
    entries.bind(2, static_cast<std::int64_t>(PROP_ID(PR_EMAIL_ADDRESS)));
    entries.bind(3, std::string_view(text));
    std::vector<std::pair<std::int64_t, ULONG>> rows;
    while (entries.step())
        rows.emplace_back(entries.columnInt(0), static_cast<ULONG>(entries.columnInt(1)));
    for (const auto& [row, type] : rows)
        add(loadEntry(type == MAPI_DISTLIST ? EntryKind::DistList : EntryKind::MailUser, row));

    // Contacts by full name or address; "Full Name (E-mail)" by its name, and
    // "Full Name (address)" by both.
    std::string address = text, name = text;
    bool eMailForm = false;
    if (text.back() == ')') {
        const auto open = text.rfind(" (");
        if (open != std::string::npos) {
            name = text.substr(0, open);
            address = text.substr(open + 2, text.size() - open - 3);
            eMailForm = equalsIgnoreCase(address, "E-mail");
            if (eMailForm) address.clear();
        }
    }
    auto contacts = db.prepare(
        "SELECT DISTINCT i.id FROM items i JOIN props p ON p.item = i.id WHERE i.folder = ? AND "
        "((p.id = ? AND p.value = ? COLLATE NOCASE) OR (p.id = ? AND p.value = ? COLLATE NOCASE)) "
        "ORDER BY i.id");
    contacts.bind(1, store_.folder(FolderKind::Contacts).id);
    contacts.bind(2, static_cast<std::int64_t>(PROP_ID(PR_DISPLAY_NAME)))
        .bind(3, std::string_view(name));
    contacts.bind(4, static_cast<std::int64_t>(PROP_ID(store_.known()[Known::Email1Address])));
    contacts.bind(5, std::string_view(address));
    std::vector<std::int64_t> ids;
    while (contacts.step())
        ids.push_back(contacts.columnInt(0));
    for (auto id : ids) {
        auto entry = loadEntry(EntryKind::ContactUser, id);
        if (!entry) continue;
        if (!eMailForm && (name != text || address != text)) {
            // The "(address)" form must match both parts.
            if (!equalsIgnoreCase(entry->props.string(PR_EMAIL_ADDRESS), address)) continue;
        }
        add(std::move(entry));
    }
    return out;
}

std::optional<AddressMatch> AddressBookData::findByAddress(std::string_view address) {
    for (auto& match : find(address))
        if (equalsIgnoreCase(match.address, trimmed(address))) return match;
    return std::nullopt;
}

std::vector<std::int64_t> AddressBookData::contactUserIds(std::int64_t after, std::size_t limit) {
    auto query = store_.db().prepare(
        "SELECT i.id FROM items i JOIN props p ON p.item = i.id AND p.id = ? "
        "WHERE i.folder = ? AND i.id > ? AND trim(p.value) <> '' ORDER BY i.id LIMIT ?");
    query.bind(1, static_cast<std::int64_t>(PROP_ID(store_.known()[Known::Email1Address])));
    query.bind(2, store_.folder(FolderKind::Contacts).id).bind(3, after);
    query.bind(4, static_cast<std::int64_t>(limit));
    std::vector<std::int64_t> ids;
    while (query.step())
        ids.push_back(query.columnInt(0));
    return ids;
}

std::uint32_t AddressBookData::count() {
    std::lock_guard lock(store_.mutex());
    auto& db = store_.db();
    const auto entries = db.queryInt("SELECT count(*) FROM ab_entries");
    auto contacts = db.prepare(
        "SELECT count(*) FROM items i JOIN props p ON p.item = i.id AND p.id = ? "
        "WHERE i.folder = ? AND trim(p.value) <> ''");
    contacts.bind(1, static_cast<std::int64_t>(PROP_ID(store_.known()[Known::Email1Address])));
    contacts.bind(2, store_.folder(FolderKind::Contacts).id).step();
    return static_cast<std::uint32_t>(entries + contacts.columnInt(0));
}

std::vector<RowKey> AddressBookData::keysAfter(std::optional<RowKey> after, std::size_t limit) {
    std::lock_guard lock(store_.mutex());
    std::vector<RowKey> keys;
    const RowKey start = after.value_or(0);
    if (start < kContactKeyBase) {
        auto query =
            store_.db().prepare("SELECT id FROM ab_entries WHERE id > ? ORDER BY id LIMIT ?");
        query.bind(1, start).bind(2, static_cast<std::int64_t>(limit));
        while (query.step())
            keys.push_back(query.columnInt(0));
    }
    if (keys.size() < limit) {
        const std::int64_t contactAfter = start > kContactKeyBase ? start - kContactKeyBase : 0;
        for (auto id : contactUserIds(contactAfter, limit - keys.size()))
            keys.push_back(kContactKeyBase + id);
    }
    return keys;
}

std::optional<RowKey> AddressBookData::keyBefore(RowKey key) {
    std::lock_guard lock(store_.mutex());
    auto& db = store_.db();
    if (key > kContactKeyBase) {
        auto query = db.prepare(
            "SELECT max(i.id) FROM items i JOIN props p ON p.item = i.id AND p.id = ? "
            "WHERE i.folder = ? AND i.id < ? AND trim(p.value) <> ''");
        query.bind(1, static_cast<std::int64_t>(PROP_ID(store_.known()[Known::Email1Address])));
        query.bind(2, store_.folder(FolderKind::Contacts).id).bind(3, key - kContactKeyBase);
        query.step();
        if (!query.columnIsNull(0)) return kContactKeyBase + query.columnInt(0);
        key = kContactKeyBase;
    }
    auto query = db.prepare("SELECT max(id) FROM ab_entries WHERE id < ?");
    query.bind(1, key).step();
    if (query.columnIsNull(0)) return std::nullopt;
    return query.columnInt(0);
}

std::optional<AddressEntry> AddressBookData::loadKey(RowKey key) {
    if (key > kContactKeyBase) return loadEntry(EntryKind::ContactUser, key - kContactKeyBase);
    std::lock_guard lock(store_.mutex());
    auto type = store_.db().prepare("SELECT type FROM ab_entries WHERE id = ?");
    if (!type.bind(1, key).step()) return std::nullopt;
    return loadEntry(static_cast<ULONG>(type.columnInt(0)) == MAPI_DISTLIST ? EntryKind::DistList
                                                                            : EntryKind::MailUser,
                     key);
}

RowSet AddressBookData::rows(const std::vector<RowKey>& keys, const PropTagArray& columns) {
    std::lock_guard lock(store_.mutex());
    RowSet out;
    std::vector<std::int64_t> contacts;
    for (RowKey key : keys)
        if (key > kContactKeyBase) contacts.push_back(key - kContactKeyBase);
    auto contactProps = store_.loadProps(contacts);
    for (RowKey key : keys) {
        std::optional<AddressEntry> entry;
        if (key > kContactKeyBase) {
            const auto it = contactProps.find(key - kContactKeyBase);
            if (it == contactProps.end()) continue;
            AddressEntry e;
            e.kind = EntryKind::ContactUser;
            e.row = it->first;
            e.entryId = store_.entryId(EntryKind::ContactUser, e.row);
            e.props = contactUserProps(e.row, it->second);
            if (e.props.empty()) continue;
            entry = std::move(e);
        } else {
            entry = loadKey(key);
        }
        if (!entry) continue;
        out.push_back(buildRow(entry->props, columns,
                               [&](PropTag tag) { return computedProp(*entry, tag); }));
    }
    return out;
}

}  // namespace outlook::local
