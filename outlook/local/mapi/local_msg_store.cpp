#include "outlook/local/mapi/local_msg_store.h"

#include "outlook/local/mapi/store_entries.h"
#include "outlook/local/store/row_builder.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_tags.h"

namespace outlook::local {

using namespace mapi;

HRESULT LocalMsgStore::GetProps(const PropTagArray* tags, ULONG, PropValueArray& values) {
    return guardedCall([&] {
        PropertyBag bag;
        bag.set(SPropValue::binary(PR_ENTRYID, store_->storeEntryId()));
        bag.set(SPropValue::binary(tags::PR_RECORD_KEY, store_->storeEntryId()));
        bag.set(SPropValue::binary(PR_STORE_ENTRYID, store_->storeEntryId()));
        bag.setLong(PR_OBJECT_TYPE, static_cast<std::int32_t>(MAPI_STORE));
        bag.setString(PR_DISPLAY_NAME, store_->displayName());
        const std::pair<PropTag, FolderKind> folders[] = {
            {tags::PR_IPM_INBOX_ENTRYID, FolderKind::Inbox},
            {tags::PR_IPM_OUTBOX_ENTRYID, FolderKind::Outbox},
            {tags::PR_IPM_SENTMAIL_ENTRYID, FolderKind::SentItems},
            {tags::PR_IPM_WASTEBASKET_ENTRYID, FolderKind::DeletedItems},
            {tags::PR_IPM_DRAFTS_ENTRYID, FolderKind::Drafts},
            {tags::PR_IPM_APPOINTMENT_ENTRYID, FolderKind::Calendar},
            {tags::PR_IPM_CONTACT_ENTRYID, FolderKind::Contacts},
            {tags::PR_IPM_TASK_ENTRYID, FolderKind::Tasks},
            {tags::PR_IPM_NOTE_ENTRYID, FolderKind::Notes},
            {tags::PR_IPM_JOURNAL_ENTRYID, FolderKind::Journal},
        };
        for (const auto& [tag, kind] : folders)
            bag.set(SPropValue::binary(tag, store_->folderEntryId(store_->folder(kind).id)));
        values = tags ? buildRow(bag, *tags, nullptr) : bag.all();
        return S_OK;
    });
}

HRESULT LocalMsgStore::OpenEntry(const EntryId& entryId, const GUID*, ULONG, ULONG& objectType,
                                 ComPtr<IUnknown>& object) {
    return openStoreEntry(store_, entryId, objectType, object);
}

}  // namespace outlook::local
