#pragma once

#include <memory>

#include "outlook/local/mapi/read_only_prop_object.h"

namespace outlook::local {

class Store;

// The message store: its folders and messages by entry id, and as properties the entry
// ids of its default folders (PR_IPM_*_ENTRYID, see store_tags.h).
class LocalMsgStore : public ReadOnlyPropObject<mapi::IMsgStore> {
public:
    explicit LocalMsgStore(std::shared_ptr<Store> store)
        : ReadOnlyPropObject(std::move(store), mapi::S_OK) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;
};

}  // namespace outlook::local
