#pragma once

#include <memory>

#include "outlook/local/mapi/com_object.h"

namespace outlook::local {

class Store;
class WindowSet;

// A logged-on session on the local store. OpenMsgStore takes the store's entry id (or an
// empty id for the default store). After Logoff every call fails.
class LocalSession : public ComObject<mapi::IMAPISession> {
public:
    LocalSession(std::shared_ptr<Store> store, std::shared_ptr<WindowSet> windows)
        : store_(std::move(store)), windows_(std::move(windows)) {}

    mapi::HRESULT OpenAddressBook(mapi::ULONG_PTR uiParam, const mapi::GUID* iid, mapi::ULONG flags,
                                  mapi::ComPtr<mapi::IAddrBook>& addressBook) override;
    mapi::HRESULT OpenMsgStore(mapi::ULONG_PTR uiParam, const mapi::EntryId& storeId,
                               const mapi::GUID* iid, mapi::ULONG flags,
                               mapi::ComPtr<mapi::IMsgStore>& store) override;
    mapi::HRESULT Logoff(mapi::ULONG_PTR uiParam, mapi::ULONG flags, mapi::ULONG reserved) override;

private:
    std::shared_ptr<Store> store_;
    std::shared_ptr<WindowSet> windows_;
    bool loggedOff_ = false;
};

}  // namespace outlook::local
