#pragma once

#include <exception>
#include <new>
#include <utility>

#include "outlook/mapi.h"

namespace outlook::local {

// The messaging objects' reference counting and IUnknown, shared with the program's own sinks.
using mapi::ComObject;
using mapi::makeCom;

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
