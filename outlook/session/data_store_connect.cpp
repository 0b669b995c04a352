#include "outlook/items/item.h"
#include "outlook/object_model.h"
#include "outlook/session/advise_sink.h"
#include "outlook/session/data_store.h"
#include "outlook/session/folder_watch.h"
#include "outlook/session/progress_box.h"
#include "sentex.h"

namespace outlook {
namespace {

using messages::kCannotConnect;
using messages::kInitialCountsUnavailable;
using messages::kMapiLoginFailed;
using messages::kNoError;
using messages::kOutOfMemory;

constexpr mapi::ULONG kLogonFlags =
    mapi::MAPI_LOGON_UI | mapi::MAPI_ALLOW_OTHERS | mapi::MAPI_TIMEOUT_SHORT;

struct FixedFolder {
    const char* kind;
    const char* displayName;
};

// The folders a note can be filed into, by the kind word that names them in notes.
constexpr FixedFolder kFolders[] = {
    {"task", "Tasks"},
    {"appointment", "Calendar"},
    {"note", "Notes"},
};

}  // namespace

MessageId TDataStore::Connect(mapi::ULONG_PTR ownerWindow, TProgressBox& progress) {
    progress.SetText("Connecting to Microsoft Outlook...");
    if (const MessageId id = LogOn(ownerWindow)) return id;
    if (const MessageId id = WatchContactsTable()) return id;
    try {
        return ConnectCaches(progress);
    } catch (const AutomationError& error) {
        Remember(error);
        return kInitialCountsUnavailable;
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
}

MessageId TDataStore::LogOn(mapi::ULONG_PTR ownerWindow) {
    try {
        application_ = platform_.automation.createObject("Outlook.Application");
        namespace_ = application_->call("GetNamespace", {"MAPI"}).asObject();
        // Only proves that Outlook answers.
        namespace_->call("GetDefaultFolder", {olFolderContacts});
    } catch (const AutomationError& error) {
        Remember(error);
        return kCannotConnect;
    }
    if (mapi::Failed(platform_.mapi.MAPIInitialize())) return kMapiLoginFailed;
    mapiInitialized_ = true;
    if (mapi::Failed(
            platform_.mapi.MAPILogonEx(ownerWindow, nullptr, nullptr, kLogonFlags, session_)))
        return kMapiLoginFailed;
    if (mapi::Failed(session_->OpenAddressBook(0, nullptr, 0, addressBook_)))
        return kMapiLoginFailed;
    return kNoError;
}

// Opens a default folder's store, folder and contents table from the ids Outlook gives.
// Automation failures come back as MAPI_E_CALL_FAILED with their text remembered.
mapi::HRESULT TDataStore::OpenFolderTable(std::int32_t folderNumber, FolderTableParts& parts) {
    std::optional<mapi::Binary> storeId, folderId;
    try {
        const DispatchPtr folder = namespace_->call("GetDefaultFolder", {folderNumber}).asObject();
        storeId = mapi::FBinFromHex(folder->get("StoreID").asString());
        folderId = mapi::FBinFromHex(folder->get("EntryID").asString());
    } catch (const AutomationError& error) {
        Remember(error);
        return mapi::MAPI_E_CALL_FAILED;
    }
    if (!storeId || !folderId) return mapi::MAPI_E_INVALID_ENTRYID;
    mapi::HRESULT result = session_->OpenMsgStore(0, *storeId, nullptr,
                                                  mapi::MDB_NO_MAIL | mapi::MDB_WRITE, parts.store);
    if (mapi::Failed(result)) return result;
    mapi::ULONG objectType = 0;
    mapi::ComPtr<mapi::IUnknown> opened;
    result = parts.store->OpenEntry(*folderId, nullptr, 0, objectType, opened);
    if (mapi::Failed(result)) return result;
    parts.folder = mapi::ComCast<mapi::IMAPIFolder>(opened);
    if (!parts.folder) return mapi::MAPI_E_INVALID_ENTRYID;
    return parts.folder->GetContentsTable(0, parts.table);
}

MessageId TDataStore::WatchContactsTable() {
    FolderTableParts parts;
    // Notifications carry rows with the table's columns: the ones contacts are read with.
    if (mapi::Failed(OpenFolderTable(olFolderContacts, parts)) ||
        mapi::Failed(parts.table->SetColumns(kContactColumns, 0)))
        return kMapiLoginFailed;
    contactsStore_ = std::move(parts.store);
    contactsFolder_ = std::move(parts.folder);
    contactsTable_ = std::move(parts.table);

    auto sink = mapi::ComPtr<TAdviseSink>::adopt(new TAdviseSink(this));
    mapi::ComPtr<mapi::IMAPIAdviseSink> wrapped;
    if (mapi::Failed(platform_.mapi.HrThisThreadAdviseSink(sink.get(), wrapped)))
        return kMapiLoginFailed;
    mapi::ULONG_PTR connection = 0;
    if (mapi::Failed(contactsTable_->Advise(mapi::fnevTableModified, wrapped.get(), connection)))
        return kMapiLoginFailed;
    connection_ = connection;
    adviseSink_ = std::move(wrapped);
    ownSink_ = std::move(sink);
    return kNoError;
}

MessageId TDataStore::ConnectCaches(TProgressBox& progress) {
    const std::int32_t count = namespace_->call("GetDefaultFolder", {olFolderContacts})
                                   .asObject()
                                   ->get("Items")
                                   .asObject()
                                   ->get("Count")
                                   .asInt();
    std::optional<std::string> categoryText;
    if (const MessageId id = ReadRegistryCategories(categoryText)) return id;

    progress.SetMax(count);
    progress.SetMin(0);
    progress.SetPosition(0);
    progress.SetStep(1);

    BuildFolderCache();
    SynchroniseCategories(categoryText);

    progress.SetText("Loading Outlook Contacts...");
    if (const MessageId id = LoadContacts(progress)) return id;

    progress.SetText("Loading Keywords...");
    // An unreadable keywords file is told, and the program runs on with the defaults.
    if (const MessageId id = LoadKeywords(); id == messages::kKeywordsFileUnreadable)
        messages::ShowError(id);
    else if (id)
        return id;

    RegisterFolderKeywords();
    RegisterCategoryKeywords();
    RegisterContactKeywords();

    progress.SetPosition(count);
    progress.SetText("Done!");
    return kNoError;
}

void TDataStore::BuildFolderCache() {
    for (const auto& folder : kFolders) {
        folders_[folder.kind] = std::make_unique<TFolder>(folder.displayName, folder.kind);
        Prs_AddProject(folder.kind);
    }
}

std::unique_ptr<TFolderWatch> TDataStore::WatchDefaultFolder(std::int32_t folder,
                                                             std::function<void()> changed) {
    if (!session_ || !namespace_) return nullptr;
    FolderTableParts parts;
    if (mapi::Failed(OpenFolderTable(folder, parts))) return nullptr;
    auto watch = std::make_unique<TFolderWatch>(std::move(parts.table), std::move(changed));
    if (mapi::Failed(watch->Start(platform_.mapi))) return nullptr;
    return watch;
}

}  // namespace outlook
