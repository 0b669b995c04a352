#pragma once

#include <memory>

#include "outlook/local/mapi/com_object.h"

namespace outlook::local {

class Store;

// A folder: its contents table and the entries of its store. Its own properties are
// read-only.
class LocalFolder : public ComObject<mapi::IMAPIFolder> {
public:
    LocalFolder(std::shared_ptr<Store> store, std::int64_t folder)
        : store_(std::move(store)), folder_(folder) {}

    mapi::HRESULT GetProps(const mapi::PropTagArray* tags, mapi::ULONG flags,
                           mapi::PropValueArray& values) override;
    mapi::HRESULT SetProps(const mapi::PropValueArray& values) override;
    mapi::HRESULT DeleteProps(const mapi::PropTagArray& tags) override;
    mapi::HRESULT GetIDsFromNames(const std::vector<mapi::MAPINAMEID>& names, mapi::ULONG flags,
                                  mapi::PropTagArray& tags) override;
    mapi::HRESULT SaveChanges(mapi::ULONG flags) override;
    mapi::HRESULT GetContentsTable(mapi::ULONG flags,
                                   mapi::ComPtr<mapi::IMAPITable>& table) override;
    mapi::HRESULT OpenEntry(const mapi::EntryId& entryId, const mapi::GUID* iid, mapi::ULONG flags,
                            mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object) override;

private:
    std::shared_ptr<Store> store_;
    std::int64_t folder_;
};

}  // namespace outlook::local
