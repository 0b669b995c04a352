#include "outlook/session/advise_sink.h"

#include "outlook/session/data_store.h"

namespace outlook {

mapi::HRESULT TAdviseSink::QueryInterface(const mapi::GUID& iid, void** object) {
    if (!object) return mapi::MAPI_E_INVALID_PARAMETER;
    if (iid == mapi::IID_IMAPIAdviseSink || iid == mapi::IID_IUnknown) {
        AddRef();
        *object = static_cast<mapi::IMAPIAdviseSink*>(this);
        return mapi::S_OK;
    }
    *object = nullptr;
    return mapi::E_NOINTERFACE;
}

mapi::ULONG TAdviseSink::Release() {
    const mapi::ULONG count = release();
    if (count == 0) delete this;
    return count;
}

mapi::ULONG TAdviseSink::OnNotify(mapi::ULONG count, const mapi::NOTIFICATION* notifications) {
    return store_ ? store_->OnNotify(count, notifications) : 0;
}

}  // namespace outlook
