#pragma once

#include <memory>

#include "outlook/local/mapi/com_object.h"

namespace outlook::local {

class Store;

// The message store: its folders and messages by entry id, and as properties the entry
// ids of its default folders (PR_IPM_*_ENTRYID, see store_tags.h).
class LocalMsgStore : public ComObject<mapi::IMsgStore> {
public:
    explicit LocalMsgStore(std::shared_ptr<Store> store) : store_(std::move(store)) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT SetProps(const mapi::PropValueArray& values) override;
    mapi::HRESULT DeleteProps(const mapi::PropTagArray& tags) override;
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG flags,
                                  mapi::PropTagArray& tags) override;
    mapi::HRESULT SaveChanges(mapi::ULONG flags) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;

private:
    std::shared_ptr<Store> store_;
};

}  // namespace outlook::local
