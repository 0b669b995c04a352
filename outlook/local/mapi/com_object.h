#pragma once

#include <exception>
#include <new>
#include <utility>

#include "outlook/mapi.h"

namespace outlook::local {

// Reference counting and IUnknown for the store's messaging objects. Other interfaces are
// reached with mapi::ComCast; QueryInterface answers IID_IUnknown (and, for sinks,
// IID_IMAPIAdviseSink).
template <class Interface>
class ComObject : public Interface, protected mapi::RefCounted {
public:
    mapi::HRESULT QueryInterface(const mapi::GUID& iid, void** object) override {
        if (!object) return mapi::MAPI_E_INVALID_PARAMETER;
        if (iid == mapi::IID_IUnknown || (iid == mapi::IID_IMAPIAdviseSink &&
                                          std::is_base_of_v<mapi::IMAPIAdviseSink, Interface>)) {
            AddRef();
            *object = static_cast<Interface*>(this);
            return mapi::S_OK;
        }
        *object = nullptr;
        return mapi::E_NOINTERFACE;
    }
    mapi::ULONG AddRef() override { return addRef(); }
    mapi::ULONG Release() override {
        const mapi::ULONG count = release();
        if (count == 0) delete this;
        return count;
    }
};

// A new object with its creator's reference.
template <class T, class... Args>
mapi::ComPtr<T> makeCom(Args&&... args) {
    return mapi::ComPtr<T>::adopt(new T(std::forward<Args>(args)...));
}

// Runs `body`, turning a store failure into MAPI_E_CALL_FAILED and an allocation failure
// into MAPI_E_NOT_ENOUGH_MEMORY: no exception leaves a messaging call.
template <class Body>
mapi::HRESULT guardedCall(Body&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return mapi::MAPI_E_NOT_ENOUGH_MEMORY;
    } catch (const std::exception&) {
        return mapi::MAPI_E_CALL_FAILED;
    }
}

}  // namespace outlook::local
