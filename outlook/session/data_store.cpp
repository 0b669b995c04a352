#include "outlook/session/data_store.h"

#include "keywords/keywords_line.h"
#include "outlook/items/appointment.h"
#include "outlook/items/contact.h"
#include "outlook/items/journal_entry.h"
#include "outlook/items/note.h"
#include "outlook/items/task.h"
#include "outlook/object_model.h"
#include "outlook/session/advise_sink.h"
#include "outlook/session/contact_listener.h"
#include "outlook/session/item_list.h"
#include "sentex.h"

namespace outlook {

TDataStore* DataStore = nullptr;

void InstallDataStore(TDataStore* store) {
    DataStore = store;
    SetCurrentItemSession(store);
}

namespace {

template <class Cache>
auto* findIn(const Cache& cache, const std::string& key) {
    const auto it = cache.find(key);
    return it == cache.end() ? nullptr : it->second.get();
}

}  // namespace

TDataStore::TDataStore(Platform platform) : platform_(platform) {}

TDataStore::~TDataStore() {
    // Stop the table's notifications first: one posted before now must not reach a store
    // that is gone.
    SetContactNotifications(false);
    if (ownSink_) ownSink_->Detach();
    application_.reset();
    namespace_.reset();
    contactsTable_.reset();
    contactsFolder_.reset();
    contactsStore_.reset();
    addressBook_.reset();
    if (session_) {
        session_->Logoff(0, 0, 0);
        session_.reset();
    }
    if (mapiInitialized_) platform_.mapi.MAPIUninitialize();
    contacts_.clear();
    categories_.clear();
    folders_.clear();
}

template <class Wrapper>
std::unique_ptr<Wrapper> TDataStore::CreateItem(std::int32_t outlookType) {
    try {
        return std::make_unique<Wrapper>(
            application_->call("CreateItem", {outlookType}).asObject());
    } catch (const AutomationError& error) {
        Remember(error);
        return nullptr;
    }
}

std::unique_ptr<TAppointment> TDataStore::CreateAppointment() {
    return CreateItem<TAppointment>(olAppointmentItem);
}
std::unique_ptr<TTask> TDataStore::CreateTask() {
    return CreateItem<TTask>(olTaskItem);
}
std::unique_ptr<TNote> TDataStore::CreateNote() {
    return CreateItem<TNote>(olNoteItem);
}
std::unique_ptr<TContact> TDataStore::CreateContact() {
    return CreateItem<TContact>(olContactItem);
}
std::unique_ptr<TMailMessage> TDataStore::CreateMailMessage() {
    return CreateItem<TMailMessage>(olMailItem);
}
std::unique_ptr<TOLjournalEntry> TDataStore::CreateJournalEntry() {
    return CreateItem<TOLjournalEntry>(olJournalItem);
}

MessageId TDataStore::ShowOutlook() {
    try {
        const Variant explorer = application_->get("ActiveExplorer");
        if (explorer.isNothing())
            namespace_->call("GetDefaultFolder", {olFolderCalendar}).asObject()->call("Display");
        else
            explorer.asObject()->call("Display");
        return messages::kNoError;
    } catch (const AutomationError& error) {
        Remember(error);
        return messages::kCannotShowOutlook;
    }
}

TFolder* TDataStore::FindFolder(const std::string& kind) const {
    return findIn(folders_, kind);
}

TCategory* TDataStore::FindCategory(const std::string& name) const {
    return findIn(categories_, name);
}

TContact* TDataStore::FindContact(const std::string& key) const {
    return findIn(contacts_, key);
}

TContact* TDataStore::FindContactByOriginalEntryID(const mapi::Binary& entryId) const {
    if (!addressBook_) return nullptr;
    for (const auto& [key, contact] : contacts_) {
        const auto& original = contact->OriginalEntryId();
        if (!original) continue;
        mapi::ULONG same = 0;
        if (!mapi::Failed(addressBook_->CompareEntryIDs(*original, entryId, 0, same)) && same)
            return contact.get();
    }
    return nullptr;
}

void TDataStore::FillFolderList(ItemList& list) const {
    list.Clear();
    for (const auto& [kind, folder] : folders_)
        list.AddItem(folder->DisplayName(), folder.get());
}

void TDataStore::FillCategoryList(ItemList& list) const {
    list.Clear();
    for (const auto& [name, category] : categories_)
        list.AddItem(name, category.get());
}

void TDataStore::FillContactList(ItemList& list) const {
    list.Clear();
    for (const auto& [key, contact] : contacts_)
        list.AddItem(contact->FileAs(), contact.get());
}

MessageId TDataStore::AddContact(const std::string& key, std::unique_ptr<TContact> contact) {
    contacts_[key] = std::move(contact);
    return messages::kNoError;
}

MessageId TDataStore::RemoveContact(const std::string& key, std::unique_ptr<TContact>* removed) {
    auto node = contacts_.extract(key);
    if (node.empty()) return messages::kKeywordNotFound;
    if (removed) *removed = std::move(node.mapped());
    return messages::kNoError;
}

void TDataStore::AddCategory(std::unique_ptr<TCategory> category) {
    const std::string name = category->Name();
    categories_[name] = std::move(category);
    // A name that the keywords file cannot hold on one line takes no keywords: notes are
    // still filed under it, but no keyword can name it, so none is lost when saving.
    if (keywords::isWritable({"", "", name, ""})) Prs_AddList(name.c_str());
}

mapi::HRESULT TDataStore::SetContactNotifications(bool on) {
    mapi::HRESULT result = mapi::S_OK;
    if (on) {
        if (connection_ == 0 && contactsTable_ && adviseSink_)
            result =
                contactsTable_->Advise(mapi::fnevTableModified, adviseSink_.get(), connection_);
    } else if (connection_ != 0) {
        result = contactsTable_->Unadvise(connection_);
        connection_ = 0;
    }
    return result;
}

void TDataStore::TellContactChanged(TContact* added, TContact* removed) {
    if (contactListener_) contactListener_->ContactChanged(added, removed);
}

}  // namespace outlook
