#pragma once

#include <memory>

#include "outlook/local/mapi/read_only_prop_object.h"

namespace outlook::local {

class Store;

// A folder: its contents table and the entries of its store. Its own properties are
// read-only.
class LocalFolder : public ReadOnlyPropObject<mapi::IMAPIFolder> {
public:
    LocalFolder(std::shared_ptr<Store> store, std::int64_t folder)
        : ReadOnlyPropObject(std::move(store), mapi::S_OK), folder_(folder) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT GetContentsTable(mapi::ULONG flags,
                                   mapi::ComPtr<mapi::IMAPITable>& table) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;

private:
    std::int64_t folder_;
};

}  // namespace outlook::local
