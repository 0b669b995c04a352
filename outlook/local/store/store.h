#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "outlook/local/store/change.h"
#include "outlook/local/store/entry_id.h"
#include "outlook/local/store/folder_kind.h"
#include "outlook/local/store/item_record.h"
#include "outlook/local/store/known_properties.h"
#include "outlook/local/store/named_properties.h"
#include "outlook/local/store/notifier.h"
#include "platform/event_loop.h"
#include "platform/registry.h"

namespace outlook::local {

namespace sqlite {
class Database;
class Transaction;
}  // namespace sqlite
class AddressBookData;

// When an item last changed and where it is, for comparing the store with copies kept
// elsewhere.
struct ItemStamp {
    std::int64_t id = 0;
    std::int64_t folder = 0;
    std::string messageClass;
    std::optional<mapi::FileTime> modified;  // PR_LAST_MODIFICATION_TIME
};

struct FolderRecord {
    std::int64_t id = 0;
    FolderKind kind = FolderKind::Inbox;
    std::string name;
    std::string containerClass;
};

// One profile's mail and calendar store: an SQLite database holding folders, items as
// property bags, their recipients and attachments, named property ids and the address
// book. Every change runs in one transaction and, once committed, is reported to the
// advised tables through the notifier. Calls may come from any thread; they are
// serialised by the store's lock.
class Store {
public:
    struct Options {
        std::filesystem::path path;
        // Receives the default category list when the store is new; may be null.
        platform::Registry* registry = nullptr;
        // Delivers notifications and runs the poll for other processes' changes; may be
        // null (nothing is delivered). Must outlive the store.
        platform::EventLoop* loop = nullptr;
        // Runs at each poll, outside the store's lock (it may replace the change observer).
        std::function<void(Store&)> onPoll = {};
        // How long a change waits for another program's change to finish before it fails,
        // and how long a read waits (reads seldom wait at all: another program's change
        // blocks only changes).
        std::chrono::milliseconds writeTimeout{30'000};
        std::chrono::milliseconds readTimeout{5'000};
    };

    // nullptr with `error` set when the file cannot be opened or created.
    static std::shared_ptr<Store> open(const Options& options, std::string& error);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::filesystem::path& path() const { return path_; }
    const StoreUid& uid() const { return uid_; }
    std::string displayName() const { return "Personal Folders"; }
    // The store's file or folder cannot be written: it can be read, and every change fails.
    bool readOnly() const { return readOnly_; }

    // --- Entry ids
    mapi::EntryId entryId(EntryKind kind, std::int64_t row) const;
    mapi::EntryId storeEntryId() const { return entryId(EntryKind::Store, 0); }
    mapi::EntryId itemEntryId(std::int64_t item) const { return entryId(EntryKind::Message, item); }
    mapi::EntryId folderEntryId(std::int64_t folder) const {
        return entryId(EntryKind::Folder, folder);
    }
    // Only ids of this store; nothing for anything else.
    std::optional<EntryRef> parse(const mapi::EntryId& id) const;

    // --- Folders (the default set, fixed for the life of the store)
    const std::vector<FolderRecord>& folders() const { return folders_; }
    const FolderRecord* folderById(std::int64_t id) const;
    const FolderRecord& folder(FolderKind kind) const;
    // By name, case-insensitively.
    const FolderRecord* folderByName(std::string_view name) const;

    // --- Items
    std::uint32_t itemCount(std::int64_t folder);
    // When anything in the folder last changed (folder_changes.h); nothing when the store
    // does not keep it.
    std::optional<mapi::FileTime> folderChangeTime(std::int64_t folder);
    // Item ids of a folder in ascending order, after `after` (0: from the start).
    std::vector<std::int64_t> itemIdsAfter(std::int64_t folder, std::int64_t after,
                                           std::size_t limit);
    std::optional<std::int64_t> itemIdBefore(std::int64_t folder, std::int64_t id);
    std::optional<std::int64_t> folderOfItem(std::int64_t item);
    // The stored properties of items; `ids` restricts them to those property ids (all
    // when null). Items that do not exist are missing from the result.
    std::map<std::int64_t, PropertyBag> loadProps(const std::vector<std::int64_t>& items,
                                                  const std::vector<mapi::ULONG>* ids = nullptr);
    // Properties, recipients and attachments (without their content).
    std::optional<ItemRecord> loadItem(std::int64_t id);
    // Every item of every folder, in ascending id order, read in one query.
    std::vector<ItemStamp> itemStamps();
    // The content of a saved attachment.
    mapi::Binary attachmentData(std::int64_t attachmentId);
    // Writes a new item (setting record.id) or the changes of a saved one, moving it when
    // record.folder changed, in one transaction. Sets the creation and modification times.
    void saveItem(ItemRecord& record);
    // Moves an item without touching its modification time; `alsoWrite` (may be null) holds
    // properties to write (its changed ones) and to remove in the same transaction.
    void moveItem(std::int64_t item, std::int64_t folder, PropertyBag* alsoWrite = nullptr);
    void deleteItem(std::int64_t item);
    // A property every message has without storing it (entry ids, object type, instance
    // key; for a contact with an e-mail address PR_ORIGINAL_ENTRYID, the id of its address
    // book entry), or nothing.
    std::optional<mapi::SPropValue> computedItemProp(std::int64_t item, std::int64_t folder,
                                                     const PropertyBag& props,
                                                     mapi::PropTag tag) const;

    // --- Named properties
    NamedProperties& names() { return *names_; }
    const KnownTags& known() const { return known_; }
    // The tag for a named property with the given type, allocating its id if needed.
    mapi::PropTag namedTag(const mapi::MAPINAMEID& name, mapi::ULONG type);
    // The tag for a named property with the given type when the store has an id for it;
    // nothing otherwise (a read: stores made before the property was used stay unchanged).
    std::optional<mapi::PropTag> findNamedTag(const mapi::MAPINAMEID& name, mapi::ULONG type);

    AddressBookData& addressBook() { return *addressBook_; }

    // --- Transactions and notifications
    // Runs `body` in a transaction; nested calls join the outer one (as a savepoint).
    // Changes recorded inside are delivered after the outermost commit; on an exception
    // everything done inside is rolled back and the exception passes on. A failure of SQLite
    // (the store busy past the write timeout, the disk full, the file read-only) arrives as
    // StoreFailure (store_failure.h), whose text says what it means and then SQLite's reason.
    void transact(const std::function<void()>& body);
    // A batch makes the changes from beginBatch to commitBatch one transaction, so that a
    // crash in between leaves all of them or none; they are told to the tables and the
    // observer after commitBatch. abortBatch undoes them. The transaction starts with the
    // batch's first change (so beginning a batch never waits or fails), and the batch
    // belongs to the thread that began it: other threads wait until it ends. Batches do
    // not nest.
    void beginBatch();
    void commitBatch();
    void abortBatch();
    bool inBatch() const { return inBatch_; }
    // How long a change waits for another program's change to finish (Options).
    void setWriteTimeout(std::chrono::milliseconds timeout) { writeTimeout_ = timeout; }
    // Called after each item is written, inside its transaction: tests stop the process
    // there to see what a crash at that moment leaves.
    void setAfterItemWritten(std::function<void()> hook) { afterItemWritten_ = std::move(hook); }
    void recordChange(const Change& change);
    Notifier& notifier() { return notifier_; }
    // Reports changes committed by other connections (the poll timer calls it).
    void pollForeignChanges();
    // The observers that hear of every committed change, such as the vdir mirror and the
    // desktop calendar that whoever opens the store attaches; one per slot. nullptr: none.
    void setChangeObserver(std::shared_ptr<ChangeObserver> observer,
                           ObserverSlot slot = ObserverSlot::Mirror) {
        notifier_.setObserver(std::move(observer), slot);
    }
    std::shared_ptr<ChangeObserver> changeObserver(ObserverSlot slot = ObserverSlot::Mirror) const {
        return notifier_.observer(slot);
    }

    sqlite::Database& db() { return *db_; }
    std::recursive_mutex& mutex() { return mutex_; }

private:
    Store(const Options& options, std::unique_ptr<sqlite::Database> db);
    void load();
    void writeDefaultCategories(platform::Registry& registry);
    void writeProps(std::int64_t item, PropertyBag& props, bool all);
    // One level of transaction (BEGIN, or a savepoint inside an open one) and its end; the
    // store's lock is held from openLevel to the matching close.
    void openLevel();
    void commitLevel();
    void rollBackLevel();
    void notifyCommitted();
    // Rethrows the exception being handled; a failure of SQLite as StoreFailure.
    [[noreturn]] void rethrowDescribed() const;
    void writeRecipients(const ItemRecord& record);
    std::vector<std::int64_t> writeAttachments(const ItemRecord& record);

    std::filesystem::path path_;
    platform::EventLoop* loop_;
    std::unique_ptr<sqlite::Database> db_;
    std::recursive_mutex mutex_;
    StoreUid uid_{};
    std::vector<FolderRecord> folders_;
    std::unique_ptr<NamedProperties> names_;
    KnownTags known_;
    std::unique_ptr<AddressBookData> addressBook_;
    Notifier notifier_;
    std::chrono::milliseconds writeTimeout_;
    std::chrono::milliseconds readTimeout_;
    std::vector<Change> pending_;
    // The open transaction levels, outermost first, with where each one's changes begin.
    std::vector<std::unique_ptr<sqlite::Transaction>> levels_;
    std::vector<std::size_t> levelMarks_;
    bool inBatch_ = false;
    bool readOnly_ = false;
    std::function<void()> afterItemWritten_;
    std::int64_t dataVersion_ = 0;
    platform::EventLoop::TimerId pollTimer_ = 0;
    std::function<void(Store&)> onPoll_;
};

// The master category list a new profile starts with.
extern const char* const kDefaultCategories;
// Where it is kept (under CurrentUser; the key's default value).
extern const char* const kCategoriesKey;

}  // namespace outlook::local
