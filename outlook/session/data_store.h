#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "keywords/keywords_line.h"
#include "messages/error_box.h"
#include "messages/messages.h"
#include "outlook/automation.h"
#include "outlook/items/item_session.h"
#include "outlook/mapi.h"
#include "platform/atomic_file.h"
#include "platform/registry.h"

namespace outlook {

class ContactListener;
struct ContactRow;
class ItemList;
class TAdviseSink;
class TAppointment;
class TCategory;
class TContact;
class TFolder;
class TFolderWatch;
class TMailMessage;
class TNote;
class TOLjournalEntry;
class TProgressBox;
class TTask;

using messages::MessageId;

// The program's one connection to Outlook: the automation application and its MAPI
// namespace, the MAPI session and address book, the watched Contacts table, and the caches
// of the folders a note can be filed into, the user's categories and the contacts. Every
// cached item is registered with the keyword store so that notes can name it.
class TDataStore : public messages::LastErrorSource, public ItemSession {
public:
    // What the session is connected through: Outlook's automation server, the messaging
    // subsystem, and the registry that holds Outlook's category list.
    struct Platform {
        AutomationServer& automation;
        mapi::Subsystem& mapi;
        platform::Registry& registry;
    };

    explicit TDataStore(Platform platform);
    ~TDataStore() override;
    TDataStore(const TDataStore&) = delete;
    TDataStore& operator=(const TDataStore&) = delete;

    MessageId Connect(mapi::ULONG_PTR ownerWindow, TProgressBox& progress);

    // New Outlook items; null when Outlook failed (its text is the last error).
    std::unique_ptr<TAppointment> CreateAppointment();
    std::unique_ptr<TTask> CreateTask();
    std::unique_ptr<TNote> CreateNote();
    std::unique_ptr<TContact> CreateContact();
    std::unique_ptr<TMailMessage> CreateMailMessage();
    std::unique_ptr<TOLjournalEntry> CreateJournalEntry();

    MessageId ShowOutlook();

    TFolder* FindFolder(const std::string& kind) const;
    TCategory* FindCategory(const std::string& name) const;
    TContact* FindContact(const std::string& key) const override;
    TContact* FindContactByOriginalEntryID(const mapi::Binary& entryId) const;

    void FillFolderList(ItemList& list) const;
    void FillCategoryList(ItemList& list) const;
    void FillContactList(ItemList& list) const;

    MessageId AddContact(const std::string& key, std::unique_ptr<TContact> contact);
    // Takes the contact out of the cache and hands it to the caller.
    MessageId RemoveContact(const std::string& key, std::unique_ptr<TContact>* removed = nullptr);
    void AddCategory(std::unique_ptr<TCategory> category);
    MessageId RefreshCategories();
    void RefreshContacts();
    mapi::HRESULT SetContactNotifications(bool on);
    // Calls `changed` after each change to the contents of a default folder (olFolderCalendar,
    // ...), on this thread, until the watch is destroyed; null when the folder cannot be
    // watched (the reason is the last error when Outlook gave one).
    std::unique_ptr<TFolderWatch> WatchDefaultFolder(std::int32_t folder,
                                                     std::function<void()> changed);

    // Default keywords for every item of one cache that the user has not customised.
    void RegisterFolderKeywords();
    void RegisterCategoryKeywords();
    void RegisterContactKeywords();

    // The keywords file keeps the keywords of the items the user customised between runs.
    // Loading registers them and marks their items customised; a missing file is no error.
    // A file that is there but cannot be read gives 55 with the file and the reason as the
    // last error, and is not written over in this run.
    MessageId LoadKeywords();
    // Replaces the file whole or not at all; `beforeReplace` lets tests stop it midway.
    MessageId SaveKeywords(const platform::BeforeReplaceHook& beforeReplace = {});
    // Where the keywords file is; by default "Jotwise Data" beside the program's folder.
    void SetKeywordsFile(std::filesystem::path path) { keywordsFile_ = std::move(path); }
    // Where the Contacts table's rows are kept between runs (contact_cache.h); none by default,
    // and then every connect reads the whole table.
    void SetContactCacheFile(std::filesystem::path path) { contactCacheFile_ = std::move(path); }

    // Handles a batch of Contacts table notifications; always 0.
    mapi::ULONG OnNotify(mapi::ULONG count, const mapi::NOTIFICATION* notifications);

    // Who hears of contact changes (the open notes); may be null.
    void SetContactListener(ContactListener* listener) { contactListener_ = listener; }
    // Tells the listener that a contact was added, replaced or removed (null: unknown).
    void TellContactChanged(TContact* added, TContact* removed);

    std::string& LastError() override { return lastError_; }
    std::string takeLastError() override { return std::exchange(lastError_, {}); }

    const DispatchPtr& Application() const { return application_; }
    const DispatchPtr& MapiNamespace() const override { return namespace_; }
    mapi::IAddrBook* AddressBook() const { return addressBook_.get(); }
    mapi::IMAPIFolder* ContactsFolder() const { return contactsFolder_.get(); }
    mapi::IMAPITable* ContactsTable() const { return contactsTable_.get(); }

    const std::map<std::string, std::unique_ptr<TContact>>& Contacts() const { return contacts_; }
    const std::map<std::string, std::unique_ptr<TCategory>>& Categories() const {
        return categories_;
    }
    const std::map<std::string, std::unique_ptr<TFolder>>& Folders() const { return folders_; }

private:
    // The columns contact rows are read with.
    static const mapi::PropTagArray kContactColumns;

    // A default folder's store, folder and contents table.
    struct FolderTableParts {
        mapi::ComPtr<mapi::IMsgStore> store;
        mapi::ComPtr<mapi::IMAPIFolder> folder;
        mapi::ComPtr<mapi::IMAPITable> table;
    };

    MessageId LogOn(mapi::ULONG_PTR ownerWindow);
    mapi::HRESULT OpenFolderTable(std::int32_t folder, FolderTableParts& parts);
    MessageId WatchContactsTable();
    MessageId ConnectCaches(TProgressBox& progress);
    MessageId ReadRegistryCategories(std::optional<std::string>& text);
    void SynchroniseCategories(const std::optional<std::string>& text);
    void BuildFolderCache();
    MessageId LoadContacts(TProgressBox& progress);
    // The Contacts table's rows, from the cache file while the folder is unchanged.
    mapi::HRESULT ReadContactRows(FolderTableParts& parts, std::vector<ContactRow>& rows);
    void RemoveCachedContactKeywords();
    // A customised contact that leaves the Contacts folder (to Deleted Items, say) takes its
    // keywords out of the parser; they are held here and given back when it returns.
    void HoldContactKeywords(const TContact& contact);
    void ReturnHeldKeywords(TContact& contact);
    // Whether the store still has the item with this key, in any folder.
    bool StillStored(const std::string& key) const;
    // One table event each; false when the rest of the batch is to be left alone.
    bool OnContactAdded(const mapi::Row& columns);
    bool OnContactModified(const mapi::Row& columns);

    template <class Wrapper>
    std::unique_ptr<Wrapper> CreateItem(std::int32_t outlookType);
    void Remember(const AutomationError& error) { lastError_ = error.what(); }

    Platform platform_;
    DispatchPtr application_;
    DispatchPtr namespace_;
    std::map<std::string, std::unique_ptr<TContact>> contacts_;
    // The keywords file's lines of customised contacts not in the cache, by contact key: kept
    // in the file while the store still has the contact, so that a restored contact has its
    // keywords again, in this run or a later one.
    std::map<std::string, std::vector<keywords::KeywordsLine>> heldContactKeywords_;
    std::map<std::string, std::unique_ptr<TCategory>> categories_;
    mapi::ComPtr<mapi::IMAPISession> session_;
    mapi::ComPtr<mapi::IAddrBook> addressBook_;
    std::map<std::string, std::unique_ptr<TFolder>> folders_;
    mapi::ComPtr<mapi::IMsgStore> contactsStore_;
    mapi::ComPtr<mapi::IMAPIFolder> contactsFolder_;
    mapi::ComPtr<mapi::IMAPITable> contactsTable_;
    mapi::ULONG_PTR connection_ = 0;
    std::string lastError_;
    mapi::ComPtr<mapi::IMAPIAdviseSink> adviseSink_;
    mapi::ComPtr<TAdviseSink> ownSink_;
    bool mapiInitialized_ = false;
    ContactListener* contactListener_ = nullptr;
    // Unset until first used, then the default location unless a caller chose one.
    std::optional<std::filesystem::path> keywordsFile_;
    std::optional<std::filesystem::path> contactCacheFile_;
    // The file and the reason when it was there but could not be read; it is then never
    // written over in this run.
    std::string keywordsFileUnreadable_;
};

// The session every part of the program uses; null while there is none. Set it with
// InstallDataStore, which also makes it the session the item wrappers work in.
extern TDataStore* DataStore;
void InstallDataStore(TDataStore* store);

}  // namespace outlook
