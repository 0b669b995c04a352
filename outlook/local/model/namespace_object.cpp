#include "outlook/local/model/namespace_object.h"

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/model/folder_object.h"
#include "outlook/local/model/item_object.h"
#include "outlook/local/model/recipient_object.h"

namespace outlook::local {

Variant NamespaceObject::getMember(std::string_view property) {
    if (isMember(property, "Type")) return std::string("MAPI");
    throwUnknownProperty("Namespace", property);
}

void NamespaceObject::putMember(std::string_view property, const Variant&) {
    if (isMember(property, "Type")) throwReadOnly(property);
    throwUnknownProperty("Namespace", property);
}

void NamespaceObject::checkStoreId(std::string_view method, const Arguments& arguments) const {
    if (arguments.size() < 2 || arguments[1].isEmpty()) return;
    const auto storeId = mapi::FBinFromHex(stringArgument(method, arguments, 1));
    const auto ref = storeId ? context_->store->parse(*storeId) : std::nullopt;
    if (!ref || ref->kind != EntryKind::Store)
        throw AutomationError(std::string(method) + ": the store id does not name this store");
}

Variant NamespaceObject::callMethod(std::string_view method, const Arguments& arguments) {
    auto& store = *context_->store;
    if (isMember(method, "GetDefaultFolder")) {
        expectArguments(method, arguments, 1, 1);
        const std::int32_t number = intArgument(method, arguments, 0);
        const auto kind = folderKindFromNumber(number);
        if (!kind)
            throw AutomationError("GetDefaultFolder: there is no default folder " +
                                  std::to_string(number));
        return DispatchPtr(std::make_shared<FolderObject>(context_, store.folder(*kind).id));
    }
    if (isMember(method, "GetItemFromID") || isMember(method, "GetFolderFromID")) {
        expectArguments(method, arguments, 1, 2);
        const std::string& hex = stringArgument(method, arguments, 0);
        checkStoreId(method, arguments);
        const auto entryId = mapi::FBinFromHex(hex);
        std::optional<EntryRef> ref;
        if (entryId) ref = store.parse(*entryId);
        const bool wantFolder = isMember(method, "GetFolderFromID");
        if (ref && wantFolder && ref->kind == EntryKind::Folder && store.folderById(ref->row))
            return DispatchPtr(std::make_shared<FolderObject>(context_, ref->row));
        if (ref && !wantFolder && ref->kind == EntryKind::Message)
            if (auto item = ItemObject::load(context_, ref->row)) return DispatchPtr(item);
        throw AutomationError(std::string(method) + ": nothing in the store has the entry id '" +
                              hex + "'");
    }
    if (isMember(method, "CreateRecipient")) {
        expectArguments(method, arguments, 1, 1);
        RecipientRecord record;
        record.name = stringArgument(method, arguments, 0);
        if (record.name.empty()) throw AutomationError("CreateRecipient: the name is empty");
        return DispatchPtr(std::make_shared<RecipientObject>(context_, std::move(record),
                                                             std::weak_ptr<ItemObject>()));
    }
    throwUnknownMethod("Namespace", method);
}

}  // namespace outlook::local
