#include "outlook/local/mapi/local_folder.h"

#include <algorithm>

#include "outlook/local/mapi/local_table.h"
#include "outlook/local/mapi/store_entries.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"
#include "outlook/local/store/table_sources.h"

namespace outlook::local {

using namespace mapi;

HRESULT LocalFolder::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    return guardedCall([&]() -> HRESULT {
        const FolderRecord* folder = store_->folderById(folder_);
        if (!folder) return MAPI_E_NOT_FOUND;
        PropertyBag bag;
        bag.set(SPropValue::binary(PR_ENTRYID, store_->folderEntryId(folder_)));
        bag.set(SPropValue::binary(tags::PR_RECORD_KEY, store_->folderEntryId(folder_)));
        bag.set(SPropValue::binary(PR_STORE_ENTRYID, store_->storeEntryId()));
        bag.setLong(PR_OBJECT_TYPE, static_cast<std::int32_t>(MAPI_FOLDER));
        bag.setLong(tags::PR_FOLDER_TYPE, 1);
        bag.setString(PR_DISPLAY_NAME, folder->name);
        bag.setString(tags::PR_CONTAINER_CLASS, folder->containerClass);
        // These two are read from the database: only when asked for.
        const auto asked = [tags](PropTag tag) {
            return !tags || std::any_of(tags->begin(), tags->end(), [tag](PropTag wanted) {
                return PROP_ID(wanted) == PROP_ID(tag);
            });
        };
        if (asked(tags::PR_CONTENT_COUNT))
            bag.setLong(tags::PR_CONTENT_COUNT,
                        static_cast<std::int32_t>(store_->itemCount(folder_)));
        if (asked(PR_LOCAL_COMMIT_TIME_MAX))
            if (const auto changed = store_->folderChangeTime(folder_))
                bag.set({PR_LOCAL_COMMIT_TIME_MAX, *changed});
        values = tags ? buildRow(bag, *tags, nullptr) : bag.all();
        return S_OK;
    });
}

HRESULT LocalFolder::GetContentsTable(ULONG, ComPtr<IMAPITable>& table) {
    return guardedCall([&] {
        table = ComPtr<IMAPITable>::adopt(
            makeCom<LocalTable>(store_, std::make_shared<FolderContentsSource>(store_, folder_))
                .detach());
        return S_OK;
    });
}

HRESULT LocalFolder::OpenEntry(const EntryId& entryId, const GUID*, ULONG, ULONG& objectType,
                               ComPtr<IUnknown>& object) {
    return openStoreEntry(store_, entryId, objectType, object);
}

}  // namespace outlook::local
