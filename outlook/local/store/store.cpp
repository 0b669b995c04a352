#include "outlook/local/store/store.h"

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>

#include "outlook/local/sqlite/database.h"
#include "outlook/local/sqlite/transaction.h"
#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/file_time.h"
#include "outlook/local/store/folder_changes.h"
#include "outlook/local/store/property_codec.h"
#include "outlook/local/store/property_value.h"
#include "outlook/local/store/store_failure.h"
#include "outlook/local/store/store_file.h"
#include "outlook/local/store/store_tags.h"
#include "platform/text.h"

namespace outlook::local {

using platform::equalsIgnoreCase;
using platform::trimmed;

using namespace mapi;
using sqlite::Statement;

const char* const kDefaultCategories =
    "Business;Competition;Favorites;Gifts;Goals/Objectives;Holiday;Holiday Cards;Hot "
    "Contacts;Ideas;International;Key Customer;Miscellaneous;Personal;Phone "
    "Calls;Status;Strategies;Suppliers;Time & Expenses;VIP;Waiting";
const char* const kCategoriesKey = "Software\\Microsoft\\Office\\8.0\\Outlook\\Categories";

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(500);

StoreUid randomUid() {
    std::random_device random;
    StoreUid uid;
    for (auto& byte : uid)
        byte = static_cast<std::uint8_t>(random());
    return uid;
}

// Merges the changes of one transaction so that each row is reported once, with the
// event its net change means.
std::vector<Change> coalesce(const std::vector<Change>& changes) {
    std::vector<Change> out;
    for (const Change& change : changes) {
        auto it = std::find_if(out.begin(), out.end(), [&](const Change& c) {
            return c.scope == change.scope && c.folder == change.folder && c.row == change.row;
        });
        if (it == out.end()) {
            out.push_back(change);
            continue;
        }
        if (it->type == ChangeType::Added && change.type == ChangeType::Deleted)
            out.erase(it);
        else if (it->type == ChangeType::Deleted && change.type == ChangeType::Added)
            it->type = ChangeType::Modified;
        else if (it->type != ChangeType::Added)
            it->type = change.type;
    }
    return out;
}

// The condition that keeps a props row to the wanted ids (numbers, written into the statement
// as they are); empty when every id is wanted. Looking up one item's rows, an IN list lets
// SQLite seek each id. Scanning a range of items, SQLite tests every row, and a CASE of plain
// comparisons does that test at two thirds of the cost of a lookup in an IN list's index.
std::string idFilter(const std::vector<ULONG>* ids, bool scanning) {
    if (!ids) return {};
    const std::set<ULONG> distinct(ids->begin(), ids->end());
    if (distinct.empty()) return " AND 0";
    std::string filter = scanning ? " AND CASE id" : " AND id IN (";
    for (const ULONG id : distinct)
        filter += scanning ? " WHEN " + std::to_string(id) + " THEN 1" : std::to_string(id) + ",";
    if (scanning) return filter + " ELSE 0 END";
    filter.back() = ')';
    return filter;
}

}  // namespace

std::shared_ptr<Store> Store::open(const Options& options, std::string& error) {
    auto opened = StoreFile::open(options.path, error);
    if (!opened.db) return nullptr;
    std::shared_ptr<Store> store(new Store(options, std::move(opened.db)));
    store->readOnly_ = opened.readOnly;
    try {
        store->load();
        if (options.registry && !store->readOnly_) store->writeDefaultCategories(*options.registry);
    } catch (const std::exception& e) {
        error = "Cannot open the store '" + options.path.string() + "': " + e.what();
        return nullptr;
    }
    store->onPoll_ = options.onPoll;
    if (options.loop) {
        Store* raw = store.get();
        store->pollTimer_ = options.loop->startTimer(
            kPollInterval, [raw] { raw->pollForeignChanges(); }, true);
    }
    return store;
}

Store::Store(const Options& options, std::unique_ptr<sqlite::Database> db)
    : path_(options.path),
      loop_(options.loop),
      db_(std::move(db)),
      notifier_(options.loop),
      writeTimeout_(options.writeTimeout),
      readTimeout_(options.readTimeout) {
    db_->setBusyTimeout(readTimeout_);
}

Store::~Store() {
    // The observers may still be writing what was committed last; they finish with the store
    // still whole.
    notifier_.clearObservers();
    if (loop_ && pollTimer_) loop_->stopTimer(pollTimer_);
}

void Store::load() {
    std::lock_guard lock(mutex_);
    names_ = std::make_unique<NamedProperties>(*db_);

    auto readUid = [&] {
        auto query = db_->prepare("SELECT value FROM meta WHERE key = 'store_uid'");
        if (!query.step()) return false;
        const Binary bytes = query.columnBlob(0);
        if (bytes.size() != uid_.size()) throw std::runtime_error("its store id is damaged");
        std::copy(bytes.begin(), bytes.end(), uid_.begin());
        return true;
    };
    auto readFolders = [&] {
        folders_.clear();
        auto query =
            db_->prepare("SELECT id, kind, name, container_class FROM folders ORDER BY id");
        while (query.step()) {
            const auto kind = folderKindFromNumber(static_cast<int>(query.columnInt(1)));
            if (!kind) continue;
            folders_.push_back(
                {query.columnInt(0), *kind, query.columnText(2), query.columnText(3)});
        }
    };
    readFolders();
    const bool foldersComplete = std::all_of(
        defaultFolders().begin(), defaultFolders().end(), [&](const FolderKindInfo& info) {
            return std::any_of(folders_.begin(), folders_.end(),
                               [&](const FolderRecord& f) { return f.kind == info.kind; });
        });
    bool namesComplete = true;
    for (std::size_t i = 0; i < kKnownCount; ++i)
        if (!names_->find(toNameId(knownName(static_cast<Known>(i))))) namesComplete = false;

    // A read-only store made before some names existed cannot register them; it still opens,
    // and those properties read as unset on its items.
    const bool changesTracked = folderChangesTracked(*db_);
    if (!readUid() || !foldersComplete || (!namesComplete && !readOnly_) ||
        (!changesTracked && !readOnly_)) {
        transact([&] {
            if (!readUid()) {
                uid_ = randomUid();
                db_->prepare("INSERT INTO meta(key, value) VALUES('store_uid', ?)")
                    .bind(1, Binary(uid_.begin(), uid_.end()))
                    .run();
            }
            auto insert = db_->prepare(
                "INSERT OR IGNORE INTO folders(kind, name, container_class) VALUES(?, ?, ?)");
            for (const auto& info : defaultFolders())
                insert.bind(1, static_cast<int>(info.kind))
                    .bind(2, info.name)
                    .bind(3, info.containerClass)
                    .run();
            for (std::size_t i = 0; i < kKnownCount; ++i)
                names_->idFor(toNameId(knownName(static_cast<Known>(i))));
            // Also gives a folder made just now its first change time.
            trackFolderChanges(*db_);
        });
        readFolders();
    }
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        const auto& name = knownName(static_cast<Known>(i));
        const auto id = names_->find(toNameId(name));
        // Ids from the top of the named range, which no registered name reaches in practice.
        known_.set(static_cast<Known>(i),
                   PROP_TAG(name.type, id ? *id : static_cast<ULONG>(0xFFFE - i)));
    }
    addressBook_ = std::make_unique<AddressBookData>(*this);
    dataVersion_ = db_->queryInt("PRAGMA data_version");
}

void Store::writeDefaultCategories(platform::Registry& registry) {
    std::lock_guard lock(mutex_);
    if (db_->queryInt("SELECT value FROM meta WHERE key = 'categories_written'", 0) == 1) return;
    auto key = registry.createKey(platform::RegistryRoot::CurrentUser, kCategoriesKey);
    if (!key) return;
    if (!key->queryValue("") &&
        !key->setValue("", platform::RegistryValue::ofString(kDefaultCategories)))
        return;
    transact([&] {
        db_->exec("INSERT OR REPLACE INTO meta(key, value) VALUES('categories_written', 1)");
    });
}

EntryId Store::entryId(EntryKind kind, std::int64_t row) const {
    return makeEntryId(kind, uid_, row);
}

std::optional<EntryRef> Store::parse(const EntryId& id) const {
    auto ref = parseEntryId(id);
    if (!ref || ref->store != uid_) return std::nullopt;
    return ref;
}

const FolderRecord* Store::folderById(std::int64_t id) const {
    for (const auto& folder : folders_)
        if (folder.id == id) return &folder;
    return nullptr;
}

const FolderRecord& Store::folder(FolderKind kind) const {
    for (const auto& folder : folders_)
        if (folder.kind == kind) return folder;
    throw std::logic_error("default folder missing");
}

const FolderRecord* Store::folderByName(std::string_view name) const {
    for (const auto& folder : folders_)
        if (equalsIgnoreCase(folder.name, name)) return &folder;
    return nullptr;
}

std::uint32_t Store::itemCount(std::int64_t folder) {
    std::lock_guard lock(mutex_);
    auto query = db_->prepare("SELECT count(*) FROM items WHERE folder = ?");
    query.bind(1, folder).step();
    return static_cast<std::uint32_t>(query.columnInt(0));
}

std::optional<FileTime> Store::folderChangeTime(std::int64_t folder) {
    std::lock_guard lock(mutex_);
    const auto ticks = folderChangeTicks(*db_, folder);
    if (!ticks) return std::nullopt;
    return FileTime{*ticks};
}

std::vector<std::int64_t> Store::itemIdsAfter(std::int64_t folder, std::int64_t after,
                                              std::size_t limit) {
    std::lock_guard lock(mutex_);
    auto query =
        db_->prepare("SELECT id FROM items WHERE folder = ? AND id > ? ORDER BY id LIMIT ?");
    query.bind(1, folder).bind(2, after).bind(3, static_cast<std::int64_t>(limit));
    std::vector<std::int64_t> ids;
    while (query.step())
        ids.push_back(query.columnInt(0));
    return ids;
}

std::optional<std::int64_t> Store::itemIdBefore(std::int64_t folder, std::int64_t id) {
    std::lock_guard lock(mutex_);
    auto query = db_->prepare("SELECT max(id) FROM items WHERE folder = ? AND id < ?");
    query.bind(1, folder).bind(2, id).step();
    if (query.columnIsNull(0)) return std::nullopt;
    return query.columnInt(0);
}

std::optional<std::int64_t> Store::folderOfItem(std::int64_t item) {
    std::lock_guard lock(mutex_);
    auto query = db_->prepare("SELECT folder FROM items WHERE id = ?");
    if (!query.bind(1, item).step()) return std::nullopt;
    return query.columnInt(0);
}

std::map<std::int64_t, PropertyBag> Store::loadProps(const std::vector<std::int64_t>& items,
                                                     const std::vector<ULONG>* ids) {
    std::lock_guard lock(mutex_);
    std::map<std::int64_t, PropertyBag> out;
    if (items.empty()) return out;
    const auto [low, high] = std::minmax_element(items.begin(), items.end());
    const std::set<std::int64_t> wanted(items.begin(), items.end());
    const auto keep = [&](Statement& query) {
        while (query.step()) {
            const auto it = out.find(query.columnInt(0));
            if (it == out.end()) continue;
            const auto tag = static_cast<PropTag>(query.columnInt(2));
            if (auto value = readPropValue(query, 3, tag)) it->second.load(std::move(*value));
        }
    };
    // One range scan when the items lie close together (a folder's rows), else one
    // lookup per item so that unrelated items in between are not read.
    const bool scanRange = static_cast<std::uint64_t>(*high - *low) < 4 * wanted.size();
    const std::string onlyIds = idFilter(ids, scanRange);
    if (scanRange) {
        auto existing = db_->prepare("SELECT id FROM items WHERE id BETWEEN ? AND ?");
        existing.bind(1, *low).bind(2, *high);
        while (existing.step())
            if (const auto id = existing.columnInt(0); wanted.count(id)) out[id];
        auto query = db_->prepare(
            "SELECT item, id, tag, value FROM props WHERE item BETWEEN ? AND ?" + onlyIds);
        query.bind(1, *low).bind(2, *high);
        keep(query);
    } else {
        auto existing = db_->prepare("SELECT 1 FROM items WHERE id = ?");
        auto query =
            db_->prepare("SELECT item, id, tag, value FROM props WHERE item = ?" + onlyIds);
        for (const auto id : wanted) {
            existing.bind(1, id);
            if (existing.step()) out[id];
            existing.reset();
            query.bind(1, id);
            keep(query);
            query.reset();
        }
    }
    return out;
}

std::optional<ItemRecord> Store::loadItem(std::int64_t id) {
    std::lock_guard lock(mutex_);
    const auto folder = folderOfItem(id);
    if (!folder) return std::nullopt;
    ItemRecord record;
    record.id = id;
    record.folder = *folder;
    auto props = loadProps({id});
    record.props = std::move(props[id]);

    auto recipients = db_->prepare(
        "SELECT name, type, address, display_name, resolved, entry FROM recipients WHERE item = ? "
        "ORDER BY position");
    recipients.bind(1, id);
    while (recipients.step()) {
        RecipientRecord r;
        r.name = recipients.columnText(0);
        r.type = static_cast<std::int32_t>(recipients.columnInt(1));
        r.address = recipients.columnText(2);
        r.displayName = recipients.columnText(3);
        r.resolved = recipients.columnInt(4) != 0;
        r.entry = recipients.columnBlob(5);
        record.recipients.push_back(std::move(r));
    }

    auto attachments = db_->prepare(
        "SELECT id, method, display_name, file_name, path, size FROM attachments WHERE item = ? "
        "ORDER BY position");
    attachments.bind(1, id);
    while (attachments.step()) {
        AttachmentRecord a;
        a.id = attachments.columnInt(0);
        a.method = static_cast<std::int32_t>(attachments.columnInt(1));
        a.displayName = attachments.columnText(2);
        a.fileName = attachments.columnText(3);
        a.path = attachments.columnText(4);
        a.size = attachments.columnInt(5);
        record.attachments.push_back(std::move(a));
    }
    return record;
}

std::vector<ItemStamp> Store::itemStamps() {
    std::lock_guard lock(mutex_);
    auto query = db_->prepare(
        "SELECT items.id, items.folder, items.message_class, props.value FROM items LEFT JOIN "
        "props ON props.item = items.id AND props.id = ? ORDER BY items.id");
    query.bind(1, static_cast<std::int64_t>(PROP_ID(PR_LAST_MODIFICATION_TIME)));
    std::vector<ItemStamp> stamps;
    while (query.step()) {
        ItemStamp stamp;
        stamp.id = query.columnInt(0);
        stamp.folder = query.columnInt(1);
        stamp.messageClass = query.columnText(2);
        if (auto value = readPropValue(query, 3, PR_LAST_MODIFICATION_TIME))
            if (const auto* time = std::get_if<FileTime>(&value->value)) stamp.modified = *time;
        stamps.push_back(std::move(stamp));
    }
    return stamps;
}

Binary Store::attachmentData(std::int64_t attachmentId) {
    std::lock_guard lock(mutex_);
    auto query = db_->prepare("SELECT data FROM attachments WHERE id = ?");
    if (!query.bind(1, attachmentId).step()) return {};
    return query.columnBlob(0);
}

void Store::writeProps(std::int64_t item, PropertyBag& props, bool all) {
    auto upsert =
        db_->prepare("INSERT OR REPLACE INTO props(item, id, tag, value) VALUES(?, ?, ?, ?)");
    for (const auto& [id, value] : props.values()) {
        if (!all && !props.changedIds().count(id)) continue;
        if (!isStorableType(PROP_TYPE(value.ulPropTag)) || !valueMatchesTag(value)) continue;
        upsert.bind(1, item).bind(2, static_cast<std::int64_t>(id));
        upsert.bind(3, static_cast<std::int64_t>(value.ulPropTag));
        bindPropValue(upsert, 4, value);
        upsert.run();
    }
    if (all) return;
    auto remove = db_->prepare("DELETE FROM props WHERE item = ? AND id = ?");
    for (ULONG id : props.removedIds())
        remove.bind(1, item).bind(2, static_cast<std::int64_t>(id)).run();
}

void Store::writeRecipients(const ItemRecord& record) {
    db_->prepare("DELETE FROM recipients WHERE item = ?").bind(1, record.id).run();
    auto insert = db_->prepare(
        "INSERT INTO recipients(item, position, name, type, address, display_name, resolved, "
        "entry) VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
    int position = 0;
    for (const auto& r : record.recipients) {
        insert.bind(1, record.id).bind(2, position++).bind(3, std::string_view(r.name));
        insert.bind(4, r.type).bind(5, std::string_view(r.address));
        insert.bind(6, std::string_view(r.displayName)).bind(7, r.resolved ? 1 : 0);
        if (r.entry.empty())
            insert.bindNull(8);
        else
            insert.bind(8, r.entry);
        insert.run();
    }
}

std::vector<std::int64_t> Store::writeAttachments(const ItemRecord& record) {
    std::set<std::int64_t> keep;
    for (const auto& a : record.attachments)
        if (a.id) keep.insert(a.id);
    std::vector<std::int64_t> stored;
    auto existing = db_->prepare("SELECT id FROM attachments WHERE item = ?");
    existing.bind(1, record.id);
    while (existing.step())
        stored.push_back(existing.columnInt(0));
    auto remove = db_->prepare("DELETE FROM attachments WHERE id = ?");
    for (auto id : stored)
        if (!keep.count(id)) remove.bind(1, id).run();

    auto insert = db_->prepare(
        "INSERT INTO attachments(item, position, method, display_name, file_name, path, size, "
        "data) VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
    auto move = db_->prepare("UPDATE attachments SET position = ? WHERE id = ? AND item = ?");
    std::vector<std::int64_t> ids;
    int position = 0;
    for (const auto& a : record.attachments) {
        if (a.id) {
            move.bind(1, position++).bind(2, a.id).bind(3, record.id).run();
            ids.push_back(a.id);
            continue;
        }
        insert.bind(1, record.id).bind(2, position++).bind(3, a.method);
        insert.bind(4, std::string_view(a.displayName)).bind(5, std::string_view(a.fileName));
        insert.bind(6, std::string_view(a.path)).bind(7, a.size);
        if (a.data)
            insert.bind(8, *a.data);
        else
            insert.bindNull(8);
        insert.run();
        ids.push_back(db_->lastInsertRowId());
    }
    return ids;
}

void Store::saveItem(ItemRecord& record) {
    std::lock_guard lock(mutex_);
    if (!folderById(record.folder)) throw std::invalid_argument("The item's folder does not exist");
    const FileTime now = currentFileTime();
    if (!record.props.has(PR_MESSAGE_CLASS)) record.props.setString(PR_MESSAGE_CLASS, "IPM.Note");
    if (record.id == 0 || !record.props.has(PR_CREATION_TIME))
        record.props.set({PR_CREATION_TIME, now});
    record.props.set({PR_LAST_MODIFICATION_TIME, now});

    ItemRecord saved = record;
    std::vector<std::int64_t> attachmentIds;
    transact([&] {
        const std::string messageClass = saved.props.string(PR_MESSAGE_CLASS);
        const bool isNew = saved.id == 0;
        if (isNew) {
            db_->prepare("INSERT INTO items(folder, message_class) VALUES(?, ?)")
                .bind(1, saved.folder)
                .bind(2, std::string_view(messageClass))
                .run();
            saved.id = db_->lastInsertRowId();
            writeProps(saved.id, saved.props, true);
            recordChange({ChangeScope::Folder, ChangeType::Added, saved.folder, saved.id});
        } else {
            const auto current = folderOfItem(saved.id);
            if (!current) throw std::runtime_error("The item no longer exists in the store");
            db_->prepare("UPDATE items SET folder = ?, message_class = ? WHERE id = ?")
                .bind(1, saved.folder)
                .bind(2, std::string_view(messageClass))
                .bind(3, saved.id)
                .run();
            writeProps(saved.id, saved.props, false);
            if (*current != saved.folder) {
                recordChange({ChangeScope::Folder, ChangeType::Deleted, *current, saved.id});
                recordChange({ChangeScope::Folder, ChangeType::Added, saved.folder, saved.id});
            } else {
                recordChange({ChangeScope::Folder, ChangeType::Modified, saved.folder, saved.id});
            }
        }
        if (isNew || saved.recipientsChanged) writeRecipients(saved);
        if (isNew || saved.attachmentsChanged) attachmentIds = writeAttachments(saved);
        if (afterItemWritten_) afterItemWritten_();
    });
    record.id = saved.id;
    record.props.markSaved();
    if (record.recipientsChanged || !attachmentIds.empty() || record.attachmentsChanged) {
        for (std::size_t i = 0; i < attachmentIds.size() && i < record.attachments.size(); ++i)
            record.attachments[i].id = attachmentIds[i];
    }
    record.recipientsChanged = false;
    record.attachmentsChanged = false;
}

void Store::moveItem(std::int64_t item, std::int64_t folder, PropertyBag* alsoWrite) {
    std::lock_guard lock(mutex_);
    if (!folderById(folder)) throw std::invalid_argument("The target folder does not exist");
    transact([&] {
        const auto current = folderOfItem(item);
        if (!current) throw std::runtime_error("The item no longer exists in the store");
        if (*current == folder) return;
        db_->prepare("UPDATE items SET folder = ? WHERE id = ?")
            .bind(1, folder)
            .bind(2, item)
            .run();
        if (alsoWrite) writeProps(item, *alsoWrite, false);
        recordChange({ChangeScope::Folder, ChangeType::Deleted, *current, item});
        recordChange({ChangeScope::Folder, ChangeType::Added, folder, item});
    });
}

void Store::deleteItem(std::int64_t item) {
    std::lock_guard lock(mutex_);
    transact([&] {
        const auto current = folderOfItem(item);
        if (!current) throw std::runtime_error("The item no longer exists in the store");
        db_->prepare("DELETE FROM items WHERE id = ?").bind(1, item).run();
        recordChange({ChangeScope::Folder, ChangeType::Deleted, *current, item});
    });
}

std::optional<SPropValue> Store::computedItemProp(std::int64_t item, std::int64_t folder,
                                                  const PropertyBag& props, PropTag tag) const {
    const ULONG type = PROP_TYPE(tag);
    const auto binary = [&](PropTag fixed, Binary bytes) -> std::optional<SPropValue> {
        if (!sameValueType(type, PT_BINARY)) return std::nullopt;
        return SPropValue::binary(fixed, std::move(bytes));
    };
    switch (PROP_ID(tag)) {
        case PROP_ID(PR_ENTRYID):
            return binary(PR_ENTRYID, itemEntryId(item));
        case PROP_ID(tags::PR_RECORD_KEY):
            return binary(tags::PR_RECORD_KEY, itemEntryId(item));
        case PROP_ID(PR_INSTANCE_KEY):
            return binary(PR_INSTANCE_KEY, instanceKey(item));
        case PROP_ID(PR_PARENT_ENTRYID):
            return binary(PR_PARENT_ENTRYID, folderEntryId(folder));
        case PROP_ID(PR_STORE_ENTRYID):
            return binary(PR_STORE_ENTRYID, storeEntryId());
        case PROP_ID(PR_OBJECT_TYPE):
            if (!sameValueType(type, PT_LONG)) return std::nullopt;
            return SPropValue::integer(PR_OBJECT_TYPE, static_cast<std::int32_t>(MAPI_MESSAGE));
        case PROP_ID(PR_ORIGINAL_ENTRYID): {
            const SPropValue* email = props.find(known_[Known::Email1Address]);
            const auto* address = email ? std::get_if<std::string>(&email->value) : nullptr;
            if (props.has(PR_ORIGINAL_ENTRYID) || folder != this->folder(FolderKind::Contacts).id ||
                !address || trimmed(*address).empty())
                return std::nullopt;
            return binary(PR_ORIGINAL_ENTRYID, entryId(EntryKind::ContactUser, item));
        }
        default:
            return std::nullopt;
    }
}

PropTag Store::namedTag(const MAPINAMEID& name, ULONG type) {
    std::lock_guard lock(mutex_);
    if (auto id = names_->find(name)) return PROP_TAG(type, *id);
    ULONG id = 0;
    transact([&] { id = names_->idFor(name); });
    return PROP_TAG(type, id);
}

std::optional<PropTag> Store::findNamedTag(const MAPINAMEID& name, ULONG type) {
    std::lock_guard lock(mutex_);
    if (auto id = names_->find(name)) return PROP_TAG(type, *id);
    return std::nullopt;
}

void Store::transact(const std::function<void()>& body) {
    openLevel();
    try {
        body();
    } catch (...) {
        rollBackLevel();
        rethrowDescribed();
    }
    commitLevel();
}

void Store::rethrowDescribed() const {
    try {
        throw;
    } catch (const sqlite::SqliteError& error) {
        throw StoreFailure(error.code(), describeStoreFailure(error, path_, writeTimeout_));
    }
}

void Store::openLevel() {
    mutex_.lock();
    const bool outermost = levels_.empty();
    try {
        // Only the outermost level waits for another program's change to end; inside it
        // the store is ours.
        if (outermost) db_->setBusyTimeout(writeTimeout_);
        levels_.push_back(std::make_unique<sqlite::Transaction>(*db_));
        levelMarks_.push_back(pending_.size());
    } catch (...) {
        if (outermost) db_->setBusyTimeout(readTimeout_);
        mutex_.unlock();
        rethrowDescribed();
    }
}

void Store::commitLevel() {
    // A batch keeps its outermost level open until commitBatch.
    if (levels_.size() == 1 && inBatch_) {
        mutex_.unlock();
        return;
    }
    try {
        levels_.back()->commit();
    } catch (...) {
        rollBackLevel();
        rethrowDescribed();
    }
    levels_.pop_back();
    levelMarks_.pop_back();
    if (levels_.empty()) {
        db_->setBusyTimeout(readTimeout_);
        notifyCommitted();
    }
    mutex_.unlock();
}

void Store::rollBackLevel() {
    pending_.resize(levelMarks_.back());
    levels_.pop_back();  // its destructor rolls back
    levelMarks_.pop_back();
    if (levels_.empty()) {
        db_->setBusyTimeout(readTimeout_);
        // Ids allocated by the rolled-back transaction are gone again.
        names_->reload();
    }
    mutex_.unlock();
}

void Store::notifyCommitted() {
    const auto changes = coalesce(pending_);
    pending_.clear();
    notifier_.committed(changes);
}

void Store::beginBatch() {
    mutex_.lock();
    if (inBatch_ || !levels_.empty()) {
        mutex_.unlock();
        throw std::logic_error("A batch cannot begin inside another batch or a transaction");
    }
    inBatch_ = true;
}

void Store::commitBatch() {
    if (!inBatch_) throw std::logic_error("No batch is open");
    inBatch_ = false;
    if (levels_.empty()) {  // nothing was changed
        mutex_.unlock();
        return;
    }
    mutex_.lock();  // commitLevel lets go of the level's hold and of the batch's
    try {
        commitLevel();
    } catch (...) {
        mutex_.unlock();
        throw;
    }
    mutex_.unlock();
}

void Store::abortBatch() {
    if (!inBatch_) throw std::logic_error("No batch is open");
    inBatch_ = false;
    if (!levels_.empty()) {
        mutex_.lock();
        rollBackLevel();
    }
    mutex_.unlock();
}

void Store::recordChange(const Change& change) {
    pending_.push_back(change);
}

void Store::pollForeignChanges() {
    if (onPoll_) onPoll_(*this);
    std::unique_lock lock(mutex_, std::try_to_lock);
    // Busy, or a change of ours is open: the next tick looks again.
    if (!lock.owns_lock() || !levels_.empty() || inBatch_) return;
    try {
        const auto version = db_->queryInt("PRAGMA data_version");
        if (version == dataVersion_) return;
        dataVersion_ = version;
        names_->reload();
    } catch (const std::exception&) {
        return;
    }
    notifier_.changedElsewhere();
}

}  // namespace outlook::local
