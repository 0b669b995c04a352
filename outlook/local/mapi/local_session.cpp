#include "outlook/local/mapi/local_session.h"

#include "outlook/local/mapi/local_address_book.h"
#include "outlook/local/mapi/local_msg_store.h"
#include "outlook/local/store/store.h"

namespace outlook::local {

using namespace mapi;

HRESULT LocalSession::OpenAddressBook(ULONG_PTR, const GUID*, ULONG,
                                      ComPtr<IAddrBook>& addressBook) {
    if (loggedOff_) return MAPI_E_CALL_FAILED;
    addressBook = ComPtr<IAddrBook>::adopt(makeCom<LocalAddressBook>(store_, windows_).detach());
    return S_OK;
}

HRESULT LocalSession::OpenMsgStore(ULONG_PTR, const EntryId& storeId, const GUID*, ULONG,
                                   ComPtr<IMsgStore>& store) {
    if (loggedOff_) return MAPI_E_CALL_FAILED;
    if (!storeId.empty()) {
        const auto ref = store_->parse(storeId);
        if (!ref || ref->kind != EntryKind::Store) {
            // A well-formed id of another store names nothing here.
            return parseEntryId(storeId) ? MAPI_E_NOT_FOUND : MAPI_E_INVALID_ENTRYID;
        }
    }
    store = ComPtr<IMsgStore>::adopt(makeCom<LocalMsgStore>(store_).detach());
    return S_OK;
}

HRESULT LocalSession::Logoff(ULONG_PTR, ULONG, ULONG) {
    loggedOff_ = true;
    return S_OK;
}

}  // namespace outlook::local
