#pragma once

#include <memory>

#include "outlook/mapi.h"

namespace outlook::local {

class Store;

// Opens a store, folder or message of `store` by entry id: MAPI_E_INVALID_ENTRYID for an
// id that is not one of this store's, MAPI_E_NOT_FOUND for one whose object is gone.
mapi::HRESULT openStoreEntry(const std::shared_ptr<Store>& store, const mapi::EntryId& id,
                             mapi::ULONG& objectType, mapi::ComPtr<mapi::IUnknown>& object);

// Named property ids for a messaging object: every name gets an id (allocated when new).
mapi::HRESULT namesToIds(Store& store, const std::vector<mapi::MAPINAMEID>& names,
                         mapi::PropTagArray& tags);

}  // namespace outlook::local
