#include "outlook/local/model/folder_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/items_object.h"
#include "outlook/local/store/item_kind.h"

namespace outlook::local {

namespace {

// The CreateItem number of what a folder holds by default.
std::int32_t defaultItemType(FolderKind kind) {
    switch (kind) {
        case FolderKind::Calendar:
            return olAppointmentItem;
        case FolderKind::Contacts:
            return olContactItem;
        case FolderKind::Tasks:
            return olTaskItem;
        case FolderKind::Journal:
            return olJournalItem;
        case FolderKind::Notes:
            return olNoteItem;
        default:
            return olMailItem;
    }
}

}  // namespace

const FolderRecord& FolderObject::record() const {
    const FolderRecord* folder = context_->store->folderById(folder_);
    if (!folder) throw AutomationError("The folder no longer exists");
    return *folder;
}

Variant FolderObject::getMember(std::string_view property) {
    const auto& store = *context_->store;
    if (isMember(property, "Name")) return record().name;
    if (isMember(property, "EntryID")) return mapi::HexFromBin(store.folderEntryId(folder_));
    if (isMember(property, "StoreID")) return mapi::HexFromBin(store.storeEntryId());
    if (isMember(property, "Items"))
        return DispatchPtr(std::make_shared<ItemsObject>(context_, folder_));
    if (isMember(property, "DefaultItemType")) return defaultItemType(record().kind);
    throwUnknownProperty("Folder", property);
}

void FolderObject::putMember(std::string_view property, const Variant&) {
    for (const char* name : {"Name", "EntryID", "StoreID", "Items", "DefaultItemType"})
        if (isMember(property, name)) throwReadOnly(name);
    throwUnknownProperty("Folder", property);
}

Variant FolderObject::callMethod(std::string_view method, const Arguments& arguments) {
    if (isMember(method, "Display")) {
        expectArguments(method, arguments, 0, 0);
        context_->windows->explorer().showFolder(shared_from_this());
        return {};
    }
    throwUnknownMethod("Folder", method);
}

}  // namespace outlook::local
