#include "outlook/local/mapi/store_entries.h"

#include "outlook/local/mapi/com_object.h"
#include "outlook/local/mapi/local_folder.h"
#include "outlook/local/mapi/local_message.h"
#include "outlook/local/mapi/local_msg_store.h"
#include "outlook/local/store/store.h"

namespace outlook::local {

using namespace mapi;

HRESULT openStoreEntry(const std::shared_ptr<Store>& store, const EntryId& id, ULONG& objectType,
                       ComPtr<IUnknown>& object) {
    return guardedCall([&]() -> HRESULT {
        const auto ref = store->parse(id);
        if (!ref) return MAPI_E_INVALID_ENTRYID;
        switch (ref->kind) {
            case EntryKind::Store:
                objectType = MAPI_STORE;
                object = ComPtr<IUnknown>::adopt(makeCom<LocalMsgStore>(store).detach());
                return S_OK;
            case EntryKind::Folder:
                if (!store->folderById(ref->row)) return MAPI_E_NOT_FOUND;
                objectType = MAPI_FOLDER;
                object = ComPtr<IUnknown>::adopt(makeCom<LocalFolder>(store, ref->row).detach());
                return S_OK;
            case EntryKind::Message: {
                auto record = store->loadItem(ref->row);
                if (!record) return MAPI_E_NOT_FOUND;
                objectType = MAPI_MESSAGE;
                object = ComPtr<IUnknown>::adopt(
                    makeCom<LocalMessage>(store, std::move(*record)).detach());
                return S_OK;
            }
            default:
                return MAPI_E_INVALID_ENTRYID;
        }
    });
}

HRESULT namesToIds(Store& store, const std::vector<MAPINAMEID>& names, PropTagArray& tags) {
    return guardedCall([&] {
        tags.clear();
        for (const auto& name : names)
            tags.push_back(store.namedTag(name, PT_UNSPECIFIED));
        return S_OK;
    });
}

}  // namespace outlook::local
